// The power button and the quick-key bar.
#include <gtest/gtest.h>

#include "main/MainCommands.h"
#include "main/ViewTags.h"
#include "main/toolkit/AlertView.h"
#include "main/toolkit/RepeatingTimer.h"
#include "tests/main/ScreenRig.h"
#include "widgets/MarqueeLabel.h"

namespace {

using namespace mainscreen;
using screentest::frameOf;
using screentest::Frames;
using screentest::ScreenRig;

// A stand-in for a panel that is on screen under the given tag.
QWidget* addPanel(ScreenRig& rig, int tag) {
    auto* panel = new QWidget(rig.root().view());
    tk::setTag(panel, tag);
    panel->show();
    return panel;
}

TEST(PowerButtonTest, WithoutALinkOnlyTheAlertShows) {
    ScreenRig rig;
    rig.world->chair().setAdvertising(false);
    rig.world->launch();
    rig.advance(5);
    ASSERT_FALSE(rig.root().sessionController()->isConnected());
    addPanel(rig, kServicePanelTag);
    rig.tap(rig.button(kPowerButtonTag));
    auto* alert = tk::AlertView::visibleAlert(rig.world->app().window());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Error");
    EXPECT_EQ(alert->message(), "Please connect to the massage chair!");
    EXPECT_EQ(alert->buttonTitle(), "OK");
    EXPECT_TRUE(rig.sent().empty());
    EXPECT_NE(rig.view(kServicePanelTag), nullptr) << "nothing else happens";
    EXPECT_EQ(rig.picture(kPowerButtonTag), "layout_power_off");
}

TEST(PowerButtonTest, ChairOffSwitchesOnAndRemovesOnlyServiceAndSettings) {
    ScreenRig rig;
    rig.start();
    addPanel(rig, kServicePanelTag);
    addPanel(rig, kSettingsPanelTag);
    addPanel(rig, kAutoPanelTag);
    addPanel(rig, kInfoPanelTag);
    rig.tap(rig.button(kPowerButtonTag));
    EXPECT_EQ(rig.sent(), Frames{frameOf(kPowerOnCode)});
    EXPECT_EQ(rig.view(kServicePanelTag), nullptr);
    EXPECT_EQ(rig.view(kSettingsPanelTag), nullptr);
    EXPECT_NE(rig.view(kAutoPanelTag), nullptr);
    EXPECT_FALSE(rig.view(kInfoPanelTag)->isHidden());
    EXPECT_FALSE(rig.root().menuFlag());
    EXPECT_EQ(rig.picture(kPowerButtonTag), "layout_power_off") << "the chair's report decides";
}

TEST(PowerButtonTest, ChairOnSwitchesOffAndClearsTheWorkingArea) {
    ScreenRig rig;
    rig.start();
    rig.root().setPowerState(1);
    addPanel(rig, kAutoPanelTag);
    addPanel(rig, kAdjustPanelTag);
    rig.tap(rig.button(kPowerButtonTag));
    EXPECT_EQ(rig.sent(), Frames{frameOf(kPowerOffCode)});
    EXPECT_EQ(rig.view(kAutoPanelTag), nullptr);
    ASSERT_NE(rig.view(kAdjustPanelTag), nullptr);
    EXPECT_TRUE(rig.view(kAdjustPanelTag)->isHidden());
    EXPECT_TRUE(rig.root().menuFlag());
}

TEST(PowerButtonTest, PictureFollowsTheReportedStateOnly) {
    ScreenRig rig;
    rig.start();
    rig.root().setPowerBtnState(1);
    EXPECT_EQ(rig.picture(kPowerButtonTag), "layout_power_on");
    rig.root().setPowerBtnState(2);
    rig.root().setPowerBtnState(-1);
    EXPECT_EQ(rig.picture(kPowerButtonTag), "layout_power_on");
    rig.root().setPowerBtnState(0);
    EXPECT_EQ(rig.picture(kPowerButtonTag), "layout_power_off");
}

class QuickKeyTest : public ::testing::Test {
protected:
    QuickKeyTest() { rig.start(); }

    // The hold keys are direct children of the root view; the menu reuses tags 2 to 4.
    tk::ImageButton* key(int tag) {
        for (auto* b :
             rig.root().view()->findChildren<tk::ImageButton*>(Qt::FindDirectChildrenOnly)) {
            if (tk::tagOf(b) == tag) return b;
        }
        ADD_FAILURE() << "no key " << tag;
        return nullptr;
    }
    void down(int tag) {
        key(tag)->touchDown();
        rig.settle();
    }

    ScreenRig rig;
};

TEST_F(QuickKeyTest, PressAndReleaseWithinHalfASecondSendsTheCodeOnceThenStop) {
    down(2);
    rig.advance(0.3);
    key(2)->touchUp(true);
    EXPECT_EQ(rig.sent(), (Frames{frameOf(kFootUpCode), frameOf(kQuickKeyStopCode)}));
    rig.advance(2);
    EXPECT_TRUE(rig.sent().empty());
    EXPECT_TRUE(rig.root().mytimer()->isPaused());
    EXPECT_EQ(rig.root().currentpositionIndex(), 2) << "kept after the release";
}

TEST_F(QuickKeyTest, HoldingRepeatsEveryHalfSecond) {
    down(3);
    rig.advance(1.2);
    key(3)->touchUp(true);
    EXPECT_EQ(rig.sent(), (Frames{frameOf(kFootDownCode), frameOf(kFootDownCode),
                                  frameOf(kFootDownCode), frameOf(kQuickKeyStopCode)}));
}

TEST_F(QuickKeyTest, HeartKeysAreCrossed) {
    down(4);
    key(4)->touchUp(true);
    down(5);
    key(5)->touchUp(true);
    EXPECT_EQ(rig.sent(), (Frames{frameOf(kHeartDownCode), frameOf(kQuickKeyStopCode),
                                  frameOf(kHeartUpCode), frameOf(kQuickKeyStopCode)}));
    EXPECT_EQ(kHeartDownCode, 148);
    EXPECT_EQ(kHeartUpCode, 147);
}

TEST_F(QuickKeyTest, DragExitStopsWhileTheFingerIsStillDown) {
    down(2);
    key(2)->moveOutside();
    rig.advance(2);
    key(2)->touchUp(false);
    rig.advance(1);
    EXPECT_EQ(rig.sent(), (Frames{frameOf(kFootUpCode), frameOf(kQuickKeyStopCode)}));
}

TEST_F(QuickKeyTest, SecondKeySwitchesTheRepeatAndTheFirstReleaseStopsIt) {
    down(2);
    rig.advance(0.5);
    down(3);
    rig.advance(0.5);
    key(2)->touchUp(true);
    rig.advance(1);
    EXPECT_EQ(rig.sent(),
              (Frames{frameOf(kFootUpCode), frameOf(kFootUpCode), frameOf(kFootDownCode),
                      frameOf(kFootDownCode), frameOf(kQuickKeyStopCode)}));
    key(3)->touchUp(true);
    EXPECT_EQ(rig.sent(), Frames{frameOf(kQuickKeyStopCode)});
}

TEST_F(QuickKeyTest, AutoKeySendsOnlyItsCodeAndLeavesTheTimer) {
    down(5);
    rig.tap(key(kAutoKeyTag));
    rig.advance(0.5);
    EXPECT_EQ(rig.sent(),
              (Frames{frameOf(kHeartUpCode), frameOf(kAutoKeyCode), frameOf(kHeartUpCode)}));
    EXPECT_FALSE(rig.root().mytimer()->isPaused());
    key(5)->touchUp(true);
    rig.tap(key(kAutoKeyTag));
    EXPECT_EQ(rig.sent(), (Frames{frameOf(kQuickKeyStopCode), frameOf(kAutoKeyCode)}));
}

TEST_F(QuickKeyTest, CancelledTouchEndsTheHoldOnce) {
    down(2);
    rig.world->app().window()->hide();  // the platform cancels the touch
    rig.advance(2);
    EXPECT_EQ(rig.sent(), (Frames{frameOf(kFootUpCode), frameOf(kQuickKeyStopCode)}));
    EXPECT_TRUE(rig.root().mytimer()->isPaused());
}

TEST_F(QuickKeyTest, CancelAfterDragExitSendsNothingMore) {
    down(3);
    key(3)->moveOutside();
    key(3)->cancelTouch();
    rig.advance(1);
    EXPECT_EQ(rig.sent(), (Frames{frameOf(kFootDownCode), frameOf(kQuickKeyStopCode)}));
}

TEST_F(QuickKeyTest, AutoKeyPictureByReportedIndexAndOutOfRangeIgnored) {
    const char* pictures[4] = {"layout_general_auto_off", "layout_general_auto_1",
                               "layout_general_auto_2", "layout_general_auto_3"};
    for (int i : {3, 1, 2, 0}) {
        rig.root().layoutBtnSel(i);
        EXPECT_EQ(rig.picture(kAutoKeyTag), pictures[i]);
    }
    rig.root().layoutBtnSel(2);
    rig.root().layoutBtnSel(4);
    rig.root().layoutBtnSel(255);
    rig.root().layoutBtnSel(-1);
    EXPECT_EQ(rig.picture(kAutoKeyTag), "layout_general_auto_2");
}

TEST(LinkCheckTest, FourPollsThenTheOverHint) {
    ScreenRig rig;
    rig.start();
    rig.root().serviceTimer()->fireNowAndRepeat();
    rig.advance(1.0);
    const auto poll = frameOf(chairlink::kLinkCheckCode);
    EXPECT_EQ(rig.sent(), (Frames{poll, poll, poll, poll}));
    EXPECT_TRUE(rig.root().serviceTimer()->isPaused());
    EXPECT_EQ(rig.root().currentService(), 0);
    EXPECT_EQ(rig.root().currentHintNum(), 14);
    EXPECT_EQ(rig.root().hintLine()->text(), "zh:hint14");
}

}  // namespace
