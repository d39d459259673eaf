// The chair's status frames through the real main screen and receive path, what they light
// on the panels, and what the panels' presses send back.
#include <gtest/gtest.h>

#include "DecoderRig.h"
#include "main/MenuView.h"
#include "main/ScreenRig.h"
#include "main/StatusDecoder.h"
#include "main/toolkit/RepeatingTimer.h"
#include "main/toolkit/Runtime.h"
#include "main/toolkit/ViewAttributes.h"
#include "panels/ManualView.h"
#include "panels/OtherView.h"
#include "panels/PressureView.h"

namespace {

using decodertest::DecoderRig;
using Records3 = mainscreen::RootViewController::Records3;
using Records4 = mainscreen::RootViewController::Records4;
using Frames = std::vector<std::string>;
constexpr std::uint8_t F1 = chairlink::kRunningStateType;
constexpr std::uint8_t F2 = chairlink::kAutoProgrammeType;
constexpr std::uint8_t F3 = chairlink::kManualMassageType;
constexpr std::uint8_t F4 = chairlink::kAirPressureType;
constexpr std::uint8_t F5 = chairlink::kOtherFunctionsType;

void tap(QWidget* panel, int tag) {
    auto* button = tk::viewWithTag<tk::ImageButton>(panel, tag);
    ASSERT_NE(button, nullptr) << tag;
    button->touchDown();
    button->touchUp();
}

TEST(RunningStateDecoding, OffClearsThePanelsAndStatesAndTheTitleUnlessServiceOrSettingsShow) {
    DecoderRig rig;  // one rig throughout: each new Info panel must observe once, and stop
    for (bool serviceOrSettings : {false, true, false}) {
        SCOPED_TRACE(serviceOrSettings);
        rig.status(F1, 4, 15, 6, 2);  // running: the Info panel comes up
        rig.status(F1, 4, 15, 6, 2);
        ASSERT_NE(rig.info(), nullptr);
        EXPECT_EQ(rig.center.observerCount(panels::InfoView::kMessageName), 1u);
        EXPECT_EQ(rig.powerPicture(), "layout_power_on");
        EXPECT_EQ(rig.root->currentState(), 1);
        if (serviceOrSettings) {
            rig.root->serviceBtnAction();
        } else {
            rig.root->removeAllView();  // the menu is in charge
        }
        rig.root->setWindowTitle(3, 0);

        rig.status(F1, 0);
        EXPECT_EQ(rig.info(), nullptr);
        EXPECT_EQ(rig.powerPicture(), "layout_power_off");
        EXPECT_EQ(rig.root->powerState(), 0);
        EXPECT_EQ(rig.root->currentState(), 0);
        EXPECT_FALSE(rig.root->menuFlag());
        EXPECT_EQ(rig.title(), serviceOrSettings ? "[autoOne]" : "");
        EXPECT_EQ(rig.root->currentTitleNum(), serviceOrSettings ? 3 : 0);
        EXPECT_EQ(rig.center.observerCount(panels::InfoView::kMessageName), 0u);
        if (serviceOrSettings) rig.root->serviceBtnAction();  // closes it
    }
}

TEST(RunningStateDecoding, MeasuringAndAdjustingShareOnePanelFollowThePositionAndLetItBeMoved) {
    DecoderRig rig;
    rig.root->changeHintLabel(0, 0);
    rig.status(F1, 1, 0, 4, 0);
    auto* adjust = rig.adjust();
    ASSERT_NE(adjust, nullptr);
    // Title, hint and grade; a new panel leaves the hint and shows the first grade until the
    // next frame.
    const auto shown = [&] {
        return QStringList{rig.title(), rig.hint(), adjust->imageViewGrade()->image().name()};
    };
    EXPECT_EQ(shown(), (QStringList{"[shoulderOne]", "[hint0]", "adjust_0"}));
    EXPECT_TRUE(adjust->imageViewGrade()->isHidden());
    EXPECT_EQ(rig.root->powerState(), 1);
    EXPECT_EQ(rig.powerPicture(), "layout_power_on");
    rig.status(F1, 2, 0, 5, 0);
    EXPECT_EQ(rig.adjust(), adjust);
    EXPECT_EQ(shown(), (QStringList{"[shoulderOne]", "[hint1]", "adjust_5"}));
    rig.status(F1, 3, 0, 6, 0);
    EXPECT_EQ(rig.adjust(), adjust);
    EXPECT_FALSE(adjust->imageViewGrade()->isHidden());
    EXPECT_FALSE(tk::viewWithTag(adjust, 1)->isHidden());
    EXPECT_EQ(shown(), (QStringList{"[shoulderSecond]", "[hint2]", "adjust_6"}));

    // Its buttons send up and down once per tap, and nothing while measuring hides them.
    auto* upper = tk::viewWithTag<tk::ImageButton>(adjust, 1);
    upper->touchDown();
    rig.rt.clock.advance(2.0);  // holding sends nothing more
    upper->touchUp();
    tap(adjust, 2);
    EXPECT_EQ(rig.writes(), (Frames{"AA 55 01 34 35 0D 0A", "AA 55 01 35 36 0D 0A"}));
    rig.status(F1, 1, 0, 6, 0);
    tap(adjust, 1);
    EXPECT_TRUE(rig.writes().empty());
}

TEST(RunningStateDecoding, WhileTheMenuIsInChargeTheAdjustPanelStaysHiddenAndTitlesStay) {
    DecoderRig rig;
    rig.root->setWindowTitle(3, 0);
    rig.root->removeAllView();
    rig.status(F1, 3, 0, 2, 0);
    ASSERT_NE(rig.adjust(), nullptr);
    EXPECT_TRUE(rig.adjust()->isHidden());
    EXPECT_FALSE(rig.adjust()->imageViewGrade()->isHidden());
    rig.status(F1, 1, 0, 2, 0);
    EXPECT_TRUE(rig.adjust()->isHidden());
    EXPECT_TRUE(rig.adjust()->imageViewGrade()->isHidden());
    EXPECT_EQ(rig.title(), "[autoOne]");
    // Closing the menu shows the panel again.
    rig.root->MenuBtnAction();
    rig.root->MenuBtnAction();
    EXPECT_FALSE(rig.adjust()->isHidden());

    // Running makes a hidden Info panel, looked up again so that this very frame fills it.
    DecoderRig running;
    running.root->removeAllView();
    running.status(F1, 4, 10, 3, 1);
    ASSERT_NE(running.info(), nullptr);
    EXPECT_TRUE(running.info()->isHidden());
    EXPECT_EQ(running.info()->currentState(), 1);
    EXPECT_EQ(running.infoImages({5}), QStringList{"info_digital_1"});
}

TEST(RunningStateDecoding, RunningTakesTwoFramesAfterAdjustingThenFollowsEachFrameAsDoesPaused) {
    DecoderRig rig;
    rig.status(F1, 3, 0, 6, 0);
    rig.root->setWindowTitle(2, 0);
    // With the Adjust panel open, a pause only lights the power button, frame after frame.
    rig.status(F1, 5, 15, 6, 2);
    rig.status(F1, 5, 15, 6, 2);
    ASSERT_NE(rig.adjust(), nullptr);
    EXPECT_EQ(rig.info(), nullptr);
    EXPECT_EQ(rig.title(), "[shoulderSecond]");
    rig.status(F1, 4, 15, 6, 2);
    EXPECT_EQ(rig.adjust(), nullptr);
    ASSERT_NE(rig.info(), nullptr);
    EXPECT_EQ(rig.root->currentState(), 1);
    // Created by this frame: nothing shown yet.
    auto* startPause = tk::viewWithTag<tk::ImageButton>(rig.info(), 18);
    EXPECT_EQ(startPause->backgroundImage().name(), "info_start");
    EXPECT_EQ(rig.infoImages({6}), QStringList{"info_digital_0"});

    rig.status(F1, 4, 15, 6, 2);
    EXPECT_EQ(startPause->backgroundImage().name(), "info_pause");
    EXPECT_EQ(tk::viewWithTag<tk::Label>(rig.info(), 31)->text(), "[running]");
    EXPECT_EQ(
        rig.infoImages({5, 6, 12}) << rig.info()->image1()->image().name(),
        (QStringList{"info_digital_1", "info_digital_5", "info_position_6", "manual_grade_2"}));
    // Modes out of range change nothing; fields out of range are the Info panel's test.
    rig.root->setWindowTitle(3, 0);
    for (std::uint8_t mode : {6, 0xFF}) rig.status(F1, mode, 99, 200, 250);
    ASSERT_NE(rig.info(), nullptr);
    EXPECT_EQ(rig.root->currentState(), 1);
    EXPECT_EQ(rig.title(), "[autoOne]");

    rig.status(F1, 5, 14, 6, 2);
    EXPECT_EQ(rig.info()->currentState(), 0);
    EXPECT_EQ(rig.root->currentState(), 0);
    EXPECT_EQ(rig.root->powerState(), 1);
    EXPECT_EQ(
        (QStringList{tk::viewWithTag<tk::Label>(rig.info(), 31)->text(), rig.title(), rig.hint()} +
         rig.infoImages({6})),
        (QStringList{"[pause]", "[PauseState]", "[hint13]", "info_digital_4"}));
}

TEST(PanelActions, OnTabletsTheAdjustPanelLeavesTheQuickKeysFree) {
    DecoderRig rig(tk::Screen::tablet());
    rig.status(F1, 3, 0, 6, 0);
    ASSERT_NE(rig.adjust(), nullptr);
    QWidget* root = rig.root->view();
    int keys = 0;
    // The quick keys are the root view's own; the menu reuses their small tags.
    for (auto* key : root->findChildren<tk::ImageButton*>(Qt::FindDirectChildrenOnly)) {
        if (!QList<int>{mainscreen::kAutoKeyTag, 2, 3, 4, 5}.contains(tk::tagOf(key))) continue;
        ++keys;
        const QPoint nearLeftEdge = key->mapTo(root, QPoint(2, key->height() / 2));
        EXPECT_EQ(tk::touchTarget(root, nearLeftEdge), key) << tk::tagOf(key);
    }
    EXPECT_EQ(keys, 5);
}

TEST(PanelActions, InfoPressesStoreIntensitiesAndStartPauseFollowsTheRunningState) {
    DecoderRig rig;
    rig.status(F1, 4, 15, 6, 2);
    tap(rig.info(), 15);
    EXPECT_EQ(rig.session->uppperIntensity(), 3);
    tap(rig.info(), 17);
    EXPECT_EQ(rig.session->uppperIntensity(), 5);
    EXPECT_EQ(rig.writes(), (Frames{"AA 55 10 03 13 0D 0A", "AA 55 10 05 15 0D 0A"}));

    // Start/pause asks for what the chair's last report makes the opposite.
    for (std::uint8_t mode : {4, 5, 4}) {
        rig.status(F1, mode, 15, 6, 2);
        tap(rig.info(), 18);
        EXPECT_EQ(rig.writes(),
                  Frames{mode == 4 ? "AA 55 01 36 37 0D 0A" : "AA 55 01 37 38 0D 0A"});
    }
    // What is shown is the chair's to change, not the tap's.
    tap(rig.info(), 13);
    EXPECT_EQ(rig.info()->image1()->image().name(), "manual_grade_2");
}

TEST(StatusRecordsDecoding,
     ProgrammeNumbersPickTheirTitlesUnlessTheMenuIsInChargeAndZeroMeansManualWhileRunning) {
    const std::pair<std::uint8_t, QString> cases[] = {
        {1, "[Automaticcomfort]"},     {2, "[Automaticrelax]"},
        {3, "[Automaticacherelieve]"}, {4, "[Automaticfullairpressure]"},
        {5, "[Automaticwaisttwist]"},  {6, "[Automaticwaiststretch]"},
        {7, "[AutomaticMusic]"},       {8, "[AutomaticI]"},
        {9, "[AutomaticII]"},          {10, "[AutomaticIII]"},
        {11, "[Automaticother]"}};
    DecoderRig rig;
    for (const auto& [programme, title] : cases) {
        SCOPED_TRACE(programme);
        rig.status(F2, programme, 1, 2, 3);
        EXPECT_EQ(rig.title(), title);
        EXPECT_EQ(rig.hint(), "[hint11]");
        EXPECT_EQ(rig.root->message1(), (Records4{programme, 1, 2, 3}));
    }
    rig.root->setWindowTitle(3, 0);
    rig.status(F2, 0);
    EXPECT_EQ(rig.title(), "[autoOne]") << "nothing runs";
    rig.root->setCurrentState(1);
    rig.status(F2, 0);
    EXPECT_EQ(rig.title(), "[manualChoice]");
    EXPECT_EQ(rig.hint(), "[hint12]");
    // While the menu is in charge the record and the Auto panel follow, but not the title.
    rig.root->MenuBtnAction();
    rig.rt.clock.advance(1.0);  // the menu slides in
    tap(rig.root->menuView(), 1);
    auto* autoPanel = rig.root->viewWithTag(mainscreen::kAutoPanelTag);
    ASSERT_NE(autoPanel, nullptr);
    rig.status(F2, 4);
    EXPECT_EQ(rig.title(), "[autoOne]");
    EXPECT_EQ(rig.root->message1()[0], 4);
    EXPECT_EQ(tk::viewWithTag<tk::ImageButton>(autoPanel, 5)->backgroundImage().name(),
              "auto_airpressure_on");
}

TEST(StatusRecordsDecoding, RecordsReachAShownInfoPanelAndAreKeptWhenItIsHidden) {
    DecoderRig rig;
    rig.status(F1, 4, 15, 6, 2);
    rig.status(F1, 4, 15, 6, 2);
    ASSERT_NE(rig.info(), nullptr);
    rig.status(F2, 0, 0, 2, 1);
    rig.status(F3, 3, 7, 0, 4);
    EXPECT_EQ(rig.root->message2(), (Records4{3, 7, 0, 4}));
    // 1 to 3 show sums of the automatic and manual records.
    EXPECT_EQ(rig.infoImages({4, 1, 2, 3}),
              (QStringList{"info_lower", "info_shoulder", "info_speed_2", "info_width_5"}));

    rig.status(F4, 2, 3, 1, 1);
    EXPECT_EQ(rig.root->message3(), (Records4{2, 3, 1, 1}));
    EXPECT_EQ(rig.infoImages({7, 8, 9}),
              (QStringList{"info_armairbags_2", "info_legs_1", "info_stretchstatus"}));
    rig.status(F2, 9);
    rig.status(F5, 3, 77, 1, 88);
    EXPECT_EQ(rig.root->message4(), (Records3{3, 9, 1}));
    EXPECT_EQ(rig.infoImages({10, 11}), (QStringList{"info_footrollers_3", "info_waiststatus"}));
    rig.status(F4, 9, 7, 9, 5);  // out of range, and kept as it came
    EXPECT_EQ(rig.root->message3(), (Records4{9, 7, 9, 5}));

    int messages = 0;
    base::ObserverRegistration counting(
        rig.center, rig.center.addObserver(panels::InfoView::kMessageName, nullptr,
                                           [&](const base::Notification&) { ++messages; }));
    rig.root->removeAllView();
    rig.status(F3, 2, 1, 1, 1);
    EXPECT_EQ(messages, 0) << "a hidden Info panel gets no manual updates";
    EXPECT_EQ(rig.infoImages({4}), QStringList{"info_lower"});
    EXPECT_EQ(rig.root->message2(), (Records4{2, 1, 1, 1}));
    // Without any Info panel the message still goes out.
    rig.status(F1, 0);
    rig.status(F3, 2, 1, 1, 1);
    EXPECT_EQ(messages, 1);
}

// What a link check answer does, and that the frame is kept, are the service panel's tests;
// here, what is no answer.
TEST(StatusRecordsDecoding, AServiceFrameThatIsNoLinkCheckAnswerLetsThePollingGoOn) {
    DecoderRig rig;
    rig.root->serviceTimer()->fireNowAndRepeat();
    rig.status(chairlink::kServiceType, 1, 3);
    EXPECT_FALSE(rig.root->serviceTimer()->isPaused());
}

TEST(StatusRecordsDecoding, ASuccessfulUpdateCancelsThePendingFailureReport) {
    DecoderRig rig;
    auto& calls = rig.rt.runtime.delayedCalls();
    bool reported = false;
    calls.performAfterDelay(rig.root.get(), mainscreen::kUpdateResultCall, 5.0,
                            [&] { reported = true; });
    rig.frame(
        chairlink::makeShortStatusFrame(chairlink::kUpdateResultType, chairlink::kUpdateSucceeded));
    EXPECT_EQ(calls.pendingCount(rig.root.get(), mainscreen::kUpdateResultCall), 0u);
    EXPECT_EQ(rig.hint(), "[hint18]");
    EXPECT_TRUE(rig.logs.contains("success"));
    rig.rt.clock.advance(6.0);
    EXPECT_FALSE(reported);
}

TEST(StatusRecordsDecoding, QuickKeyFramesPickTheAutoKeyPictureAndOutOfRangeIsIgnored) {
    DecoderRig rig;
    auto* key = rig.root->viewWithTag<tk::ImageButton>(mainscreen::kAutoKeyTag);
    const char* pictures[4] = {"layout_general_auto_off", "layout_general_auto_1",
                               "layout_general_auto_2", "layout_general_auto_3"};
    for (std::uint8_t index : {3, 1, 0, 2, 4}) {  // 4 is out of range: the last one stays
        rig.frame(chairlink::makeShortStatusFrame(chairlink::kQuickKeyType, index));
        EXPECT_EQ(key->backgroundImage().name(), pictures[index == 4 ? 2 : index]);
    }
}

class MenuPanelsTest : public ::testing::Test {
protected:
    explicit MenuPanelsTest(tk::Screen screen = tk::Screen::phone()) : rig(screen) { openMenu(); }

    void openMenu() {  // the menu slides in over half a second
        rig.root->MenuBtnAction();
        rig.rt.clock.advance(0.5);
    }

    void tap(QWidget* root, int tag) {
        ::tap(root, tag);
        rig.rt.clock.runDue();
    }
    // The menu's entries 2 to 4 open the panels tagged 101 to 103.
    template <typename Panel>
    Panel* open(int entry) {
        tap(rig.root->menuView(), entry);
        return rig.root->viewWithTag<Panel>(mainscreen::kAutoPanelTag + entry - 1);
    }
    panels::ManualView* manual() { return open<panels::ManualView>(2); }
    panels::PressureView* pressure() { return open<panels::PressureView>(3); }
    panels::OtherView* other() { return open<panels::OtherView>(4); }

    static QString look(QWidget* panel, int tag) {
        auto* b = tk::viewWithTag<tk::ImageButton>(panel, tag);
        return b ? b->backgroundImage().name() : QString("(none)");
    }
    static QStringList looks(QWidget* panel, std::initializer_list<int> tags) {
        QStringList names;
        for (int tag : tags) names << look(panel, tag);
        return names;
    }
    // The grade bars' pictures, "image1" first.
    static QStringList bars(panels::MassagePanel* panel, int count = 2) {
        QStringList names;
        for (int n = 1; n <= count; ++n)
            names << panel->gradeBar(QString("image%1").arg(n))->image().name();
        return names;
    }
    // The tags among `tags` whose button shows an "on" picture.
    static std::vector<int> lit(QWidget* panel, std::initializer_list<int> tags) {
        std::vector<int> on;
        for (int tag : tags) {
            const QString name = look(panel, tag);
            if (!name.endsWith("_off") &&
                !QStringList{"service1", "service3", "service5"}.contains(name))
                on.push_back(tag);
        }
        return on;
    }

    DecoderRig rig;
};

TEST_F(MenuPanelsTest, ManualTechniquesPositionsAndGradesFollowTheChair) {
    auto* panel = manual();
    ASSERT_NE(panel, nullptr);
    // Nothing reported yet: position 0 shows "fixed".
    EXPECT_EQ(look(panel, panels::ManualView::kFixedTag), "manual_fixed_on");
    EXPECT_EQ(panel->currentIndex(), panels::ManualView::kUnset);

    rig.status(F3, 2, 3, 4, 5);
    EXPECT_EQ(lit(panel, {1, 2, 3, 4, 5, 6}), std::vector<int>{3});
    EXPECT_EQ(
        looks(panel, {3, 18}) + bars(panel),
        (QStringList{"manualon_beat_2", "manual_upper_on", "manual_grade_4", "manual_grade_5"}));
    rig.status(F3, 6, 7, 6, 9);  // position and grades out of range, shoulder grasp
    EXPECT_EQ(lit(panel, {1, 2, 3, 4, 5, 6}), std::vector<int>{1});
    EXPECT_EQ(
        looks(panel, {1, 18}) + bars(panel),
        (QStringList{"manual_shoulder_on", "manual_upper_on", "manual_grade_4", "manual_grade_5"}));
    rig.status(F3, 5, 4);
    rig.status(F3, 5, 12);
    EXPECT_TRUE(lit(panel, {1, 2, 3, 4, 5, 6}).empty());
    EXPECT_EQ(panel->currentIndex(), 4);
    EXPECT_EQ(lit(panel, {17, 18, 19, 20, 21}), std::vector<int>{21});
}

// The page switch sends nothing; the bars wait for the chair.
TEST_F(MenuPanelsTest, ManualPressesStoreTheirSettingPagesSwitchLocallyAndHiddenControlsFollow) {
    auto* panel = manual();
    tap(panel, 10);  // speed segment 4
    tap(panel, 16);  // width segment 5
    tap(panel, 2);
    tap(panel, 21);  // hidden on page 1: takes no touch
    tap(panel, panels::ManualView::kPageTwoTag);
    EXPECT_EQ(looks(panel, {23, 22}) << rig.title() << rig.hint(),
              (QStringList{"manual_back_on", "manual_skill_off", "[manualSecond]", "[hint5]"}));
    // Page one's controls (1-16) and captions (31-38) give way to page two's (17-21, 39-43).
    for (int tag = 1; tag <= 43; ++tag) {
        if (tag > 21 && tag < 31) continue;
        EXPECT_EQ(tk::viewWithTag(panel, tag)->isVisible(), (tag > 16 && tag < 22) || tag > 38)
            << tag;
    }
    EXPECT_TRUE(panel->gradeBar("image1")->isHidden());
    tap(panel, 21);
    EXPECT_EQ(rig.session->handSpeed(), 4);
    EXPECT_EQ(rig.session->handWidth(), 5);
    EXPECT_EQ(rig.writes(), (Frames{"AA 55 11 04 15 0D 0A", "AA 55 12 05 17 0D 0A",
                                    "AA 55 01 61 62 0D 0A", "AA 55 01 50 51 0D 0A"}));
    EXPECT_EQ(bars(panel), (QStringList{"manual_grade_0", "manual_grade_0"}));
    rig.status(F3, 1, 1, 4, 3);
    EXPECT_EQ(look(panel, 2), "manual_beat_on");
    EXPECT_EQ(bars(panel), (QStringList{"manual_grade_4", "manual_grade_3"}));
    tap(panel, panels::ManualView::kPageOneTag);
    EXPECT_EQ(rig.title(), "[manualOne]");
    EXPECT_TRUE(tk::viewWithTag(panel, 2)->isVisible());
    EXPECT_TRUE(tk::viewWithTag(panel, 17)->isHidden());
}

TEST_F(MenuPanelsTest, PressureSegmentsZonesAndTraction) {
    auto* panel = pressure();
    ASSERT_NE(panel, nullptr);
    for (int tag : {3, 6, 9, 13, 14, 1, 15}) tap(panel, tag);
    EXPECT_EQ(rig.writes(),
              (Frames{"AA 55 13 01 14 0D 0A", "AA 55 13 03 16 0D 0A", "AA 55 14 02 16 0D 0A",
                      "AA 55 01 73 74 0D 0A", "AA 55 01 72 73 0D 0A", "AA 55 01 79 7A 0D 0A",
                      "AA 55 01 77 78 0D 0A"}));
    EXPECT_EQ(rig.session->lowerPressureStatus(), 3);
    EXPECT_EQ(look(panel, 1), "air_arm_off");  // taps light nothing
    const QStringList lighted{"air_arm_on", "manual_grade_4", "manual_grade_5"};
    rig.status(F4, 2, 1, 3, 1);
    EXPECT_EQ(looks(panel, {1}) + bars(panel), lighted);
    rig.status(F4, 5, 2, 4, 7);  // intensities past the table, traction neither 0 nor 1
    EXPECT_EQ(looks(panel, {1}) + bars(panel), lighted);
    EXPECT_EQ(lit(panel, {12, 13, 14, 15}), (std::vector<int>{13, 15}));
    rig.status(F4, 0, 0, 0, 0);
    EXPECT_EQ(looks(panel, {1}) + bars(panel, 1), (QStringList{"air_arm_off", "manual_grade_0"}));
    EXPECT_TRUE(lit(panel, {12, 13, 14, 15}).empty());
}

TEST_F(MenuPanelsTest, OtherRollersHeatAndMemories) {
    auto* panel = other();
    ASSERT_NE(panel, nullptr);
    for (int tag : {6, 7, 1, 2, 12}) tap(panel, tag);
    EXPECT_EQ(rig.session->footRollerSpeed(), 3);
    EXPECT_EQ(rig.writes(),
              (Frames{"AA 55 15 02 17 0D 0A", "AA 55 15 03 18 0D 0A", "AA 55 01 81 82 0D 0A",
                      "AA 55 01 88 89 0D 0A", "AA 55 01 A4 A5 0D 0A"}));
    rig.status(F2, 9);
    EXPECT_EQ(look(panel, 12), "service3");  // the programme shows at the next 0xF5 frame
    rig.status(F5, 3, 0, 1);
    const QStringList lighted{"other_therapy_on", "other_footrollers_on", "manual_grade_5"};
    EXPECT_EQ(look(panel, 12), "service4");
    EXPECT_EQ(looks(panel, {1, 2}) + bars(panel, 1), lighted);
    rig.status(F2, 3);
    rig.status(F5, 4, 0, 2);
    EXPECT_TRUE(lit(panel, {11, 12, 13}).empty());
    EXPECT_EQ(looks(panel, {1, 2}) + bars(panel, 1), lighted);
    rig.status(F5, 0, 0, 0);
    EXPECT_EQ(looks(panel, {1, 2}) + bars(panel, 1),
              (QStringList{"other_therapy_off", "other_footrollers_off", "manual_grade_0"}));
}

TEST_F(MenuPanelsTest, ReopenedPanelsRestoreTheLastFramesAndTheReturnClosesThem) {
    rig.status(F3, 3, 8, 1, 2);
    rig.status(F4, 1, 3, 2, 1);
    rig.status(F2, 10);
    rig.status(F5, 1, 0, 1);
    EXPECT_EQ(looks(manual(), {6, 19}) << rig.title() << rig.hint(),
              (QStringList{"manual_3d_1", "manual_lower_on", "[manualOne]", "[hint4]"}));
    auto* p = pressure();
    EXPECT_EQ(lit(p, {1, 12, 13, 14, 15}), (std::vector<int>{1, 14, 15}));
    EXPECT_EQ(bars(p)[1], "manual_grade_4");
    EXPECT_EQ(rig.title(), "[pressureOne]");
    auto* o = other();
    EXPECT_EQ(lit(o, {1, 2, 11, 12, 13}), (std::vector<int>{1, 2, 13}));
    EXPECT_EQ(rig.title() + rig.hint(), "[otherOne][hint7]");

    // A press restarts the 10-second return; go back closes at once.
    rig.rt.clock.advance(9.0);
    tap(o, 3);
    rig.rt.clock.advance(9.0);
    EXPECT_NE(rig.root->viewWithTag(mainscreen::kOtherPanelTag), nullptr);
    rig.rt.clock.advance(1.5);
    EXPECT_EQ(rig.root->viewWithTag(mainscreen::kOtherPanelTag), nullptr);
    openMenu();
    tap(rig.root->menuView(), 3);
    tap(rig.root->viewWithTag(mainscreen::kPressurePanelTag), panels::PressureView::kGoBackTag);
    EXPECT_EQ(rig.root->viewWithTag(mainscreen::kPressurePanelTag), nullptr);
}

// A narrow phone panel (W = 320) steps its technique buttons by d + 70 with d = -180/7.
TEST(MenuPanelFrames, NarrowPhoneRoundsTheFormulasToWholePoints) {
    DecoderRig rig(tk::Screen{460, 300, tk::Idiom::Phone});
    rig.root->MenuViewAction(*tk::viewWithTag<tk::ImageButton>(rig.root->menuView(), 2));
    auto* panel = rig.root->viewWithTag<panels::ManualView>(mainscreen::kManualPanelTag);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(screentest::frames({panel, tk::viewWithTag(panel, 2), tk::viewWithTag(panel, 3),
                                  tk::viewWithTag(panel, 6), tk::viewWithTag(panel, 20),
                                  tk::viewWithTag(panel, 10)}),
              "60,55,320,210 84,80,45,45 129,80,46,44 261,80,45,45 50,140,45,60 86,0,22,18");
    EXPECT_EQ(tk::viewWithTag(panel, 10)->parentWidget(), panel->gradeBar("image1"));
}

}  // namespace
