// The other status frames through the real receive path: stored records, titles and hints,
// the Info panel's indicators, the link check, the update result and frames that carry
// nothing the screen knows.
#include <gtest/gtest.h>

#include "DecoderRig.h"
#include "main/MenuView.h"
#include "main/StatusDecoder.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/RepeatingTimer.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/Tag.h"

namespace {

using decodertest::DecoderRig;
using Records4 = mainscreen::RootViewController::Records4;
using Records3 = mainscreen::RootViewController::Records3;

// Running with the Info panel on screen and filled.
void runWithInfoPanel(DecoderRig& rig) {
    rig.status(chairlink::kRunningStateType, 4, 15, 6, 2);
    rig.status(chairlink::kRunningStateType, 4, 15, 6, 2);
    ASSERT_NE(rig.info(), nullptr);
}

TEST(StatusRecordsDecoding, ProgrammeNumbersPickTheirTitles) {
    struct Case {
        std::uint8_t programme;
        QString title;
    };
    const Case cases[] = {{1, "[Automaticcomfort]"},      {3, "[Automaticacherelieve]"},
                          {6, "[Automaticwaiststretch]"}, {7, "[AutomaticMusic]"},
                          {10, "[AutomaticIII]"},         {11, "[Automaticother]"},
                          {200, "[Automaticother]"}};
    DecoderRig rig;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.programme);
        rig.status(chairlink::kAutoProgrammeType, c.programme, 1, 2, 3);
        EXPECT_EQ(rig.title(), c.title);
        EXPECT_EQ(rig.hint(), "[hint11]");
        EXPECT_EQ(rig.root->message1(), (Records4{c.programme, 1, 2, 3}));
        EXPECT_EQ(rig.root->message4()[1], c.programme);
    }
}

TEST(StatusRecordsDecoding, ProgrammeZeroMeansManualOnlyWhileSomethingRuns) {
    DecoderRig rig;
    rig.root->setWindowTitle(3, 0);
    rig.status(chairlink::kAutoProgrammeType, 0);
    EXPECT_EQ(rig.title(), "[autoOne]");
    rig.root->setCurrentState(1);
    rig.status(chairlink::kAutoProgrammeType, 0);
    EXPECT_EQ(rig.title(), "[manualChoice]");
    EXPECT_EQ(rig.hint(), "[hint12]");
}

TEST(StatusRecordsDecoding, WhileTheMenuIsInChargeRecordsAndTheAutoPanelFollowButNotTheTitle) {
    DecoderRig rig;
    rig.root->MenuBtnAction();
    rig.rt.clock.advance(1.0);  // the menu slides in
    tk::viewWithTag<tk::ImageButton>(rig.root->menuView(), 1)->touchDown();
    tk::viewWithTag<tk::ImageButton>(rig.root->menuView(), 1)->touchUp();
    auto* autoPanel = rig.root->viewWithTag(mainscreen::kAutoPanelTag);
    ASSERT_NE(autoPanel, nullptr);
    rig.status(chairlink::kAutoProgrammeType, 4);
    EXPECT_EQ(rig.title(), "[autoOne]");
    EXPECT_EQ(rig.root->message1()[0], 4);
    // Programme 4 lights the full-air-pressure button (tag 5).
    EXPECT_EQ(tk::viewWithTag<tk::ImageButton>(autoPanel, 5)->backgroundImage().name(),
              "auto_airpressure_on");
}

TEST(StatusRecordsDecoding, ManualFramesFillTheInfoPanelThroughItsMessage) {
    DecoderRig rig;
    runWithInfoPanel(rig);
    rig.status(chairlink::kAutoProgrammeType, 0, 0, 2, 1);
    rig.status(chairlink::kManualMassageType, 3, 7, 0, 4);
    EXPECT_EQ(rig.root->message2(), (Records4{3, 7, 0, 4}));
    EXPECT_EQ(rig.title(), "[manualChoice]");
    EXPECT_EQ(rig.infoImage(4), "info_lower");
    // Sums of the automatic and manual records.
    EXPECT_EQ(rig.infoImage(1), "info_shoulder");
    EXPECT_EQ(rig.infoImage(2), "info_speed_2");
    EXPECT_EQ(rig.infoImage(3), "info_width_5");
}

TEST(StatusRecordsDecoding, AHiddenInfoPanelGetsNoManualUpdatesButTheRecordIsKept) {
    DecoderRig rig;
    runWithInfoPanel(rig);
    int messages = 0;
    base::ObserverRegistration counting(
        rig.center, rig.center.addObserver(panels::InfoView::kMessageName, nullptr,
                                           [&](const base::Notification&) { ++messages; }));
    rig.root->removeAllView();
    rig.status(chairlink::kManualMassageType, 2, 1, 1, 1);
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(rig.infoImage(4), "info_ico_bg");
    EXPECT_EQ(rig.root->message2(), (Records4{2, 1, 1, 1}));

    // Without any Info panel the message still goes out.
    rig.status(chairlink::kRunningStateType, 0);
    rig.status(chairlink::kManualMassageType, 2, 1, 1, 1);
    EXPECT_EQ(messages, 1);
}

TEST(StatusRecordsDecoding, AirPressureAndOtherFunctionsReachTheInfoPanel) {
    DecoderRig rig;
    runWithInfoPanel(rig);
    rig.status(chairlink::kAirPressureType, 2, 3, 1, 1);
    EXPECT_EQ(rig.root->message3(), (Records4{2, 3, 1, 1}));
    EXPECT_EQ(rig.infoImage(7), "info_armairbags_2");
    EXPECT_EQ(rig.infoImage(8), "info_legs_1");
    EXPECT_EQ(rig.infoImage(9), "info_stretchstatus");

    rig.status(chairlink::kAutoProgrammeType, 9);
    rig.status(chairlink::kOtherFunctionsType, 3, 77, 1, 88);
    EXPECT_EQ(rig.root->message4(), (Records3{3, 9, 1}));
    EXPECT_EQ(rig.infoImage(10), "info_footrollers_3");
    EXPECT_EQ(rig.infoImage(11), "info_waiststatus");

    // Out-of-range values are stored and leave the indicators as they were.
    rig.status(chairlink::kAirPressureType, 9, 7, 9, 5);
    EXPECT_EQ(rig.root->message3(), (Records4{9, 7, 9, 5}));
    EXPECT_EQ(rig.infoImage(7), "info_armairbags_2");
    EXPECT_EQ(rig.infoImage(8), "info_legs_1");
}

TEST(StatusRecordsDecoding, TheLinkCheckAnswerStopsThePollingFromEitherFrame) {
    for (const char* answer : {"AA 55 01 B1 B2 0D 0A", "AA 55 F7 B1 02 00 00 AA 0D 0A"}) {
        SCOPED_TRACE(answer);
        DecoderRig rig;
        rig.root->serviceTimer()->fireNowAndRepeat();
        rig.rt.clock.advance(0.2);
        ASSERT_GT(rig.root->currentService(), 0);
        rig.frame(answer);
        EXPECT_TRUE(rig.root->serviceTimer()->isPaused());
        EXPECT_EQ(rig.root->currentService(), 0);
        EXPECT_EQ(rig.hint(), "[hint15]");
    }
    DecoderRig rig;
    rig.status(chairlink::kServiceType, 1, 3);
    EXPECT_EQ(rig.root->message5(), (Records3{1, 3, 0}));
    EXPECT_NE(rig.hint(), "[hint15]");
}

TEST(StatusRecordsDecoding, ASuccessfulUpdateCancelsThePendingFailureReport) {
    DecoderRig rig;
    auto& calls = rig.rt.runtime.delayedCalls();
    bool reported = false;
    calls.performAfterDelay(rig.root.get(), mainscreen::kUpdateResultCall, 5.0,
                            [&] { reported = true; });
    rig.frame("AA 55 A5 11 B6 0D 0A");  // another result: the report stays
    EXPECT_EQ(calls.pendingCount(rig.root.get(), mainscreen::kUpdateResultCall), 1u);
    rig.frame("AA 55 A5 5A FF 0D 0A");
    EXPECT_EQ(calls.pendingCount(rig.root.get(), mainscreen::kUpdateResultCall), 0u);
    EXPECT_EQ(rig.hint(), "[hint18]");
    EXPECT_TRUE(rig.logs.contains("success"));
    rig.rt.clock.advance(6.0);
    EXPECT_FALSE(reported);
}

TEST(StatusRecordsDecoding, QuickKeyFramesPickTheAutoKeyPicture) {
    DecoderRig rig;
    auto* key = rig.root->viewWithTag<tk::ImageButton>(mainscreen::kAutoKeyTag);
    rig.frame("AA 55 F6 02 F8 0D 0A");
    EXPECT_EQ(key->backgroundImage().name(), "layout_general_auto_2");
    rig.frame("AA 55 F6 09 FF 0D 0A");
    EXPECT_EQ(key->backgroundImage().name(), "layout_general_auto_2");
}

TEST(StatusRecordsDecoding, UnknownTypesAndTheAcknowledgeEchoChangeNothing) {
    DecoderRig rig;
    runWithInfoPanel(rig);
    rig.root->setWindowTitle(3, 0);
    const Records4 message1 = rig.root->message1();
    rig.writes();
    rig.status(0xE0, 1, 2, 3, 4);
    rig.frame("AA 55 C3 3C FF 0D 0A");
    rig.status(0x00, 1, 2, 3, 4);
    EXPECT_EQ(rig.writes().size(), 3u);  // every one acknowledged
    EXPECT_EQ(rig.title(), "[autoOne]");
    EXPECT_EQ(rig.root->message1(), message1);
    EXPECT_EQ(rig.root->currentState(), 1);
    EXPECT_EQ(rig.infoImage(5), "info_digital_1");
}

}  // namespace
