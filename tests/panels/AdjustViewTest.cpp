#include <gtest/gtest.h>

#include "main/toolkit/ImageView.h"
#include "panels/AdjustView.h"
#include "tests/panels/PanelRig.h"

namespace {

using panels::AdjustView;
using paneltest::button;
using paneltest::picture;

struct AdjustRig : paneltest::PanelRig<AdjustView> {
    using PanelRig::PanelRig;
    QString grade() const { return panel->imageViewGrade()->image().name(); }
};

TEST(AdjustView, LayoutFollowsTheScreenAndThePanelsWidthAndTheGradeKeepsToItsTable) {
    // Panel, body, grade, lower and upper button. 500 takes the narrow frame; 560 gives a
    // panel exactly 430 wide, still the narrow layout.
    const std::pair<tk::Screen, const char*> cases[] = {
        {{500, 300, tk::Idiom::Phone},
         "60,55,360,210 30,10,200,200 240,20,40,90 280,60,50,40 280,10,50,40"},
        {{560, 300, tk::Idiom::Phone},
         "65,55,430,210 30,10,200,200 240,20,40,90 280,60,50,40 280,10,50,40"},
        {tk::Screen::phone(), "65,55,438,210 60,10,200,200 280,20,40,90 320,60,50,40 320,10,50,40"},
        {tk::Screen::tablet(),
         "65,55,839,500 130,80,400,400 550,70,80,180 630,140,90,80 630,40,90,80"},
    };
    for (const auto& [screen, expected] : cases) {
        AdjustRig rig(screen);
        EXPECT_EQ(paneltest::geometries({rig.panel, rig.panel->imageViewBody(),
                                         rig.panel->imageViewGrade(), button(rig.panel, 2),
                                         button(rig.panel, 1)}),
                  expected)
            << screen.L;
        EXPECT_EQ(rig.panel->imageViewBody()->image().name(), "adjust_body");
        EXPECT_EQ(picture(rig.panel, AdjustView::kLowerButtonTag), "adjust_lower_off");
        EXPECT_EQ(picture(rig.panel, AdjustView::kUpperButtonTag), "adjust_upper_off");
        // Positions outside the table keep the picture; hiding the controls while measuring,
        // and their taps, are the main screen's tests.
        rig.panel->setImageGradeState(11);
        for (std::int64_t bad : std::vector<std::int64_t>{12, -1, INT64_MIN}) {
            rig.panel->setImageGradeState(bad);
            EXPECT_EQ(rig.grade(), "adjust_11") << bad;
        }
        rig.panel->setImageGradeState(0);
        EXPECT_EQ(rig.grade(), "adjust_0");
    }
}

}  // namespace
