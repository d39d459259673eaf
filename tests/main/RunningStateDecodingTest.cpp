// The running-state frame through the real receive path: what each chair mode does to the
// power button, the states, the title and hint lines and the Adjust and Info panels.
#include <gtest/gtest.h>

#include "DecoderRig.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Tag.h"

namespace {

using decodertest::DecoderRig;
constexpr std::uint8_t F1 = chairlink::kRunningStateType;

const std::string kAcknowledge = "AA 55 C3 3C FF 0D 0A";
const std::string kReject = "AA 55 C0 0C CC 0D 0A";

TEST(RunningStateDecoding, OffClearsThePanelsAndStatesAndTheTitleUnlessServiceOrSettingsShow) {
    for (bool serviceOrSettings : {false, true}) {
        SCOPED_TRACE(serviceOrSettings);
        DecoderRig rig;
        rig.status(F1, 4, 15, 6, 2);  // running: the Info panel comes up
        rig.status(F1, 4, 15, 6, 2);
        ASSERT_NE(rig.info(), nullptr);
        EXPECT_EQ(rig.powerPicture(), "layout_power_on");
        EXPECT_EQ(rig.root->currentState(), 1);
        rig.root->setWindowTitle(3, 0);
        rig.root->removeAllView();  // the menu is in charge
        rig.root->setServiceSettingFlag(serviceOrSettings);

        rig.status(F1, 0);
        EXPECT_EQ(rig.info(), nullptr);
        EXPECT_EQ(rig.powerPicture(), "layout_power_off");
        EXPECT_EQ(rig.root->powerState(), 0);
        EXPECT_EQ(rig.root->currentState(), 0);
        EXPECT_FALSE(rig.root->menuFlag());
        EXPECT_EQ(rig.title(), serviceOrSettings ? "[autoOne]" : "");
        EXPECT_EQ(rig.root->currentTitleNum(), serviceOrSettings ? 3 : 0);
    }
}

TEST(RunningStateDecoding, MeasuringAndAdjustingShareOnePanelAndFollowThePosition) {
    DecoderRig rig;
    rig.root->changeHintLabel(0, 0);
    rig.status(F1, 1, 0, 4, 0);
    auto* adjust = rig.adjust();
    ASSERT_NE(adjust, nullptr);
    EXPECT_TRUE(adjust->imageViewGrade()->isHidden());
    EXPECT_EQ(rig.title(), "[shoulderOne]");
    EXPECT_EQ(rig.hint(), "[hint0]");  // a new panel leaves the hint
    // A panel made by this frame shows the first grade until the next one.
    EXPECT_EQ(adjust->imageViewGrade()->image().name(), "adjust_0");
    EXPECT_EQ(rig.root->powerState(), 1);
    EXPECT_EQ(rig.powerPicture(), "layout_power_on");

    rig.status(F1, 2, 0, 5, 0);
    EXPECT_EQ(rig.adjust(), adjust);
    EXPECT_EQ(rig.hint(), "[hint1]");
    EXPECT_EQ(adjust->imageViewGrade()->image().name(), "adjust_5");

    rig.status(F1, 3, 0, 6, 0);
    EXPECT_EQ(rig.adjust(), adjust);
    EXPECT_FALSE(adjust->imageViewGrade()->isHidden());
    EXPECT_FALSE(tk::viewWithTag(adjust, 1)->isHidden());
    EXPECT_EQ(rig.title(), "[shoulderSecond]");
    EXPECT_EQ(rig.hint(), "[hint2]");
    EXPECT_EQ(adjust->imageViewGrade()->image().name(), "adjust_6");

    // A position without a picture keeps the last one.
    rig.status(F1, 3, 0, 12, 0);
    EXPECT_EQ(adjust->imageViewGrade()->image().name(), "adjust_6");
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
}

TEST(RunningStateDecoding, RunningTakesTwoFramesWhenTheAdjustPanelIsOpen) {
    DecoderRig rig;
    rig.status(F1, 3, 0, 6, 0);
    ASSERT_NE(rig.adjust(), nullptr);

    rig.status(F1, 4, 15, 6, 2);
    EXPECT_EQ(rig.adjust(), nullptr);
    ASSERT_NE(rig.info(), nullptr);
    EXPECT_EQ(rig.root->currentState(), 1);
    // Created by this frame: nothing shown yet.
    auto* startPause = tk::viewWithTag<tk::ImageButton>(rig.info(), 18);
    EXPECT_EQ(startPause->backgroundImage().name(), "info_start");
    EXPECT_EQ(rig.infoImage(6), "info_digital_0");

    rig.status(F1, 4, 15, 6, 2);
    EXPECT_EQ(startPause->backgroundImage().name(), "info_pause");
    EXPECT_EQ(tk::viewWithTag<tk::Label>(rig.info(), 31)->text(), "[running]");
    EXPECT_EQ(rig.infoImage(5), "info_digital_1");
    EXPECT_EQ(rig.infoImage(6), "info_digital_5");
    EXPECT_EQ(rig.infoImage(12), "info_position_6");
    EXPECT_EQ(rig.info()->image1()->image().name(), "manual_grade_2");
}

TEST(RunningStateDecoding, RunningWhileTheMenuIsInChargeMakesAHiddenInfoPanelAtOnce) {
    DecoderRig rig;
    rig.root->removeAllView();
    rig.status(F1, 4, 10, 3, 1);
    ASSERT_NE(rig.info(), nullptr);
    EXPECT_TRUE(rig.info()->isHidden());
    // Looked up again, so this very frame fills it.
    EXPECT_EQ(rig.info()->currentState(), 1);
    EXPECT_EQ(rig.infoImage(5), "info_digital_1");
}

TEST(RunningStateDecoding, PausedIsFoundWithAndWithoutTheAdjustPanel) {
    DecoderRig rig;
    rig.status(F1, 3, 0, 6, 0);
    rig.root->setWindowTitle(2, 0);
    // With the Adjust panel open, a pause only lights the power button, frame after frame.
    rig.status(F1, 5, 15, 6, 2);
    rig.status(F1, 5, 15, 6, 2);
    EXPECT_NE(rig.adjust(), nullptr);
    EXPECT_EQ(rig.info(), nullptr);
    EXPECT_EQ(rig.title(), "[shoulderSecond]");

    rig.status(F1, 4, 15, 6, 2);  // removes the Adjust panel
    rig.status(F1, 5, 14, 6, 2);
    ASSERT_NE(rig.info(), nullptr);
    EXPECT_EQ(rig.info()->currentState(), 0);
    EXPECT_EQ(tk::viewWithTag<tk::Label>(rig.info(), 31)->text(), "[pause]");
    EXPECT_EQ(rig.title(), "[PauseState]");
    EXPECT_EQ(rig.hint(), "[hint13]");
    EXPECT_EQ(rig.root->currentState(), 0);
    EXPECT_EQ(rig.root->powerState(), 1);
    EXPECT_EQ(rig.infoImage(6), "info_digital_4");
}

TEST(RunningStateDecoding, WorkedExampleShowsThirtyMinutesAndABadSumChangesNothing) {
    DecoderRig rig;
    rig.status(F1, 4, 15, 6, 2);
    rig.status(F1, 4, 15, 6, 2);
    rig.writes();
    rig.frame("AA 55 F1 04 1E 05 03 1B 0D 0A");
    EXPECT_EQ(rig.writes(), std::vector<std::string>{kAcknowledge});
    EXPECT_EQ(rig.infoImage(5), "info_digital_3");
    EXPECT_EQ(rig.infoImage(6), "info_digital_0");
    EXPECT_EQ(rig.infoImage(12), "info_position_5");

    rig.frame("AA 55 F1 04 2D 05 03 1C 0D 0A");
    EXPECT_EQ(rig.writes(), std::vector<std::string>{kReject});
    EXPECT_EQ(rig.infoImage(5), "info_digital_3");
}

TEST(RunningStateDecoding, ValuesOutOfRangeAndUnknownModesChangeNothing) {
    DecoderRig rig;
    rig.status(F1, 4, 15, 6, 2);
    rig.status(F1, 4, 15, 6, 2);
    rig.root->setWindowTitle(3, 0);
    for (std::uint8_t mode : {6, 9, 0x80, 0xFF}) rig.status(F1, mode, 99, 200, 250);
    EXPECT_EQ(rig.root->currentState(), 1);
    EXPECT_EQ(rig.title(), "[autoOne]");
    EXPECT_EQ(rig.infoImage(5), "info_digital_1");
    EXPECT_EQ(rig.infoImage(12), "info_position_6");
    EXPECT_EQ(rig.info()->image1()->image().name(), "manual_grade_2");
}

}  // namespace
