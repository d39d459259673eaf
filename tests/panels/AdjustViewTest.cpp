#include <gtest/gtest.h>

#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Tag.h"
#include "panels/AdjustView.h"
#include "panels/LanguageStore.h"
#include "support/TestRuntime.h"

namespace {

using panels::AdjustView;

// The panel placed and wired as the main screen does it.
struct AdjustRig {
    explicit AdjustRig(tk::Screen screen) : rt(screen), languages(rt.bundle) {
        root.resize(screen.windowSize());
        root.show();  // touches reach only views on screen
        panel = new AdjustView(AdjustView::frameOnScreen(screen), {rt.runtime, languages}, &root);
        tk::setTag(panel, AdjustView::kTag);
        panel->show();
        for (int tag : {AdjustView::kUpperButtonTag, AdjustView::kLowerButtonTag}) {
            button(tag)->addAction(tk::TouchUpInside, [this](tk::ImageButton& sender) {
                pressed.push_back(tk::tagOf(&sender));
            });
        }
    }
    tk::ImageButton* button(int tag) { return tk::viewWithTag<tk::ImageButton>(panel, tag); }
    QString grade() const { return panel->imageViewGrade()->image().name(); }

    testsupport::TestRuntime rt;
    panels::LanguageStore languages;
    QWidget root;
    AdjustView* panel = nullptr;
    std::vector<int> pressed;
};

TEST(AdjustView, InstallsTaggedWithTheLayoutOfItsWidth) {
    struct Case {
        tk::Screen screen;
        QRect frame, body, grade, lower, upper;
    };
    const Case cases[] = {
        {{568, 300, tk::Idiom::Phone},
         {65, 55, 438, 210},
         {60, 10, 200, 200},
         {280, 20, 40, 90},
         {320, 60, 50, 40},
         {320, 10, 50, 40}},
        {{480, 300, tk::Idiom::Phone},
         {60, 55, 340, 210},
         {30, 10, 200, 200},
         {240, 20, 40, 90},
         {280, 60, 50, 40},
         {280, 10, 50, 40}},
        // 500 takes the narrow frame; 560 gives a panel exactly 430 wide, still narrow.
        {{500, 300, tk::Idiom::Phone},
         {60, 55, 360, 210},
         {30, 10, 200, 200},
         {240, 20, 40, 90},
         {280, 60, 50, 40},
         {280, 10, 50, 40}},
        {{560, 300, tk::Idiom::Phone},
         {65, 55, 430, 210},
         {30, 10, 200, 200},
         {240, 20, 40, 90},
         {280, 60, 50, 40},
         {280, 10, 50, 40}},
        {tk::Screen::tablet(),
         {65, 55, 839, 500},
         {130, 80, 400, 400},
         {550, 70, 80, 180},
         {630, 140, 90, 80},
         {630, 40, 90, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen.L);
        AdjustRig rig(c.screen);
        EXPECT_EQ(rig.panel->geometry(), c.frame);
        EXPECT_EQ(rig.panel->imageViewBody()->geometry(), c.body);
        EXPECT_EQ(rig.panel->imageViewBody()->image().name(), "adjust_body");
        EXPECT_EQ(rig.panel->imageViewGrade()->geometry(), c.grade);
        EXPECT_EQ(rig.grade(), "adjust_0");
        EXPECT_EQ(rig.button(AdjustView::kLowerButtonTag)->geometry(), c.lower);
        EXPECT_EQ(rig.button(AdjustView::kLowerButtonTag)->backgroundImage().name(),
                  "adjust_lower_off");
        EXPECT_EQ(rig.button(AdjustView::kUpperButtonTag)->geometry(), c.upper);
        EXPECT_EQ(rig.button(AdjustView::kUpperButtonTag)->backgroundImage().name(),
                  "adjust_upper_off");
    }
}

TEST(AdjustView, GradeFollowsPositionsInTableAndKeepsItsPictureOtherwise) {
    AdjustRig rig(tk::Screen::phone());
    rig.panel->setImageGradeState(11);
    EXPECT_EQ(rig.grade(), "adjust_11");
    for (std::int64_t bad : std::vector<std::int64_t>{12, 255, -1, INT64_MIN}) {
        rig.panel->setImageGradeState(bad);
        EXPECT_EQ(rig.grade(), "adjust_11") << bad;
    }
    rig.panel->setImageGradeState(0);
    EXPECT_EQ(rig.grade(), "adjust_0");
}

TEST(AdjustView, HideAndShowTheGradeAndBothButtonsButNotTheBody) {
    AdjustRig rig(tk::Screen::phone());
    rig.panel->hideControlBtn();
    EXPECT_TRUE(rig.panel->imageViewGrade()->isHidden());
    EXPECT_TRUE(rig.button(1)->isHidden());
    EXPECT_TRUE(rig.button(2)->isHidden());
    EXPECT_FALSE(rig.panel->imageViewBody()->isHidden());
    // A hidden button takes no touches.
    rig.button(1)->touchDown();
    rig.button(1)->touchUp();
    EXPECT_TRUE(rig.pressed.empty());
    rig.panel->showControlBtn();
    EXPECT_FALSE(rig.panel->imageViewGrade()->isHidden());
    EXPECT_FALSE(rig.button(1)->isHidden());
    EXPECT_FALSE(rig.button(2)->isHidden());
}

}  // namespace
