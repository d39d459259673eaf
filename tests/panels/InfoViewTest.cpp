#include <gtest/gtest.h>

#include <array>

#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "panels/InfoActions.h"
#include "panels/InfoView.h"
#include "tests/panels/PanelRig.h"

namespace {

using panels::InfoView;

// With an English language file only.
struct InfoRig : paneltest::PanelRig<InfoView> {
    explicit InfoRig(tk::Screen screen = tk::Screen::phone())
        : PanelRig(screen,
                   "<plist><dict><key>strength</key><string>Intensity</string>"
                   "<key>running</key><string>Running</string>"
                   "<key>pause</key><string>Paused</string></dict></plist>") {}
    QString image(int tag) const {
        return tk::viewWithTag<tk::ImageView>(panel, tag)->image().name();
    }
    QString label(int tag) const { return tk::viewWithTag<tk::Label>(panel, tag)->text(); }
};

TEST(InfoView, LayoutsFollowIdiomAndPanelWidth) {
    // The panel, views 2, 6, 11 and 12, the intensity bar, touch area 15, views 18 and 31.
    const std::pair<tk::Screen, const char*> cases[] = {
        // L 501 is a wide screen but a 371-point panel, so still the narrow layout; the start
        // bar's row centres on the panel's width.
        {{501, 300, tk::Idiom::Phone},
         "65,55,371,210 60,20,45,45 275,10,30,50 225,70,45,45 275,70,70,45 85,30,150,30 "
         "64,0,22,18 240,25,50,30 295,25,60,30"},
        {tk::Screen::phone(),
         "65,55,438,210 80,20,50,50 305,10,30,50 260,70,50,50 320,70,60,50 80,30,150,30 "
         "64,0,22,18 240,25,50,30 300,25,60,30"},
        {tk::Screen::tablet(),
         "130,100,774,550 140,100,100,100 555,80,60,110 470,230,100,100 590,230,140,100 "
         "100,40,370,70 170,5,62,40 490,30,100,65 596,40,90,40"},
    };
    for (const auto& [screen, expected] : cases) {
        InfoRig rig(screen);
        auto* p = rig.panel;
        EXPECT_EQ(paneltest::geometries({p, tk::viewWithTag(p, 2), tk::viewWithTag(p, 6),
                                         tk::viewWithTag(p, 11), tk::viewWithTag(p, 12),
                                         p->image1(), tk::viewWithTag(p, 15),
                                         tk::viewWithTag(p, 18), tk::viewWithTag(p, 31)}),
                  expected)
            << screen.L;
        // Touch areas live in the intensity bar, which lives in the start bar.
        EXPECT_EQ(tk::viewWithTag(p, 15)->parentWidget(), p->image1());
    }
}

TEST(InfoView, IndicatorsSumsStartPauseAndLanguageShowTableEntriesAndIgnoreValuesOutside) {
    InfoRig rig;
    for (int tag : {1, 2, 3, 4, 7, 8, 9, 10, 11, 12}) EXPECT_EQ(rig.image(tag), "info_ico_bg");
    EXPECT_EQ(rig.image(5), "info_digital_0");
    EXPECT_EQ(rig.panel->image1()->image().name(), "manual_grade_0");

    struct Case {
        void (InfoView::*set)(std::int64_t);
        int tag;
        std::int64_t last;
        const char* lastImage;
    } const cases[] = {
        {&InfoView::setImageView1, 1, 11, "info_3d_4"},
        {&InfoView::setImageView2, 2, 5, "info_speed_5"},
        {&InfoView::setImageView3, 3, 5, "info_width_5"},
        {&InfoView::setImageView4, 4, 4, "info_part"},
        {&InfoView::setImageView7, 7, 3, "info_armairbags_3"},
        {&InfoView::setImageView9, 9, 1, "info_stretchstatus"},
        {&InfoView::setImageView10, 10, 3, "info_footrollers_3"},
        {&InfoView::setImageView11, 11, 1, "info_waiststatus"},
        {&InfoView::setImageView12, 12, 11, "info_position_11"},
    };
    for (const Case& c : cases) {
        (rig.panel->*c.set)(c.last);
        (rig.panel->*c.set)(c.last + 1);
        (rig.panel->*c.set)(-1);
        EXPECT_EQ(rig.image(c.tag), c.lastImage) << c.tag;
        (rig.panel->*c.set)(0);
        EXPECT_EQ(rig.image(c.tag), "info_ico_bg") << c.tag;
    }
    rig.panel->setImageView1(7);
    EXPECT_EQ(rig.image(1), "info_shoulder");
    rig.panel->setSpeedImage(5);
    rig.panel->setSpeedImage(6);
    EXPECT_EQ(rig.panel->image1()->image().name(), "manual_grade_5");

    // The time's two digits cover 0 to 45.
    auto time = [&] { return rig.image(5) + "|" + rig.image(6); };
    for (int minutes : {45, 46, 255, -5}) rig.panel->setTimeImageView(minutes);
    EXPECT_EQ(time(), "info_digital_4|info_digital_5");
    rig.panel->setTimeImageView(5);
    EXPECT_EQ(time(), "info_digital_0|info_digital_5");

    // The zone indicator picks its table by position; values or positions outside change nothing.
    const std::tuple<int, int, const char*> zones[] = {
        {2, 1, "info_lowerbody_2"}, {4, 1, "info_lowerbody_2"}, {1, 4, "info_lowerbody_2"},
        {3, 2, "info_airbags_3"},   {1, 3, "info_legs_1"},      {2, 0, "info_ico_bg"}};
    for (const auto& [value, position, shown] : zones) {
        rig.panel->setImageView8(value, position);
        EXPECT_EQ(rig.image(8), shown) << value << " at " << position;
    }

    // Technique, speed and width are sums of both records (the decoder's test shows them);
    // sums outside the tables, even from corrupted records, leave the indicators alone.
    panels::showTechniqueSpeedWidth(*rig.panel, std::array<std::int64_t, 4>{0, INT64_MAX, 4, -2},
                                    std::array<std::int64_t, 4>{0, 7, 0, 4});
    EXPECT_EQ(rig.image(1) + " " + rig.image(2) + " " + rig.image(3),
              "info_shoulder info_speed_4 info_width_2");

    // The language follows the panel's own state; its pictures are the decoder's test.
    rig.panel->setLanguageForModeView(1);
    EXPECT_EQ(rig.label(30), "Intensity");
    EXPECT_EQ(rig.label(31), "Paused");
    EXPECT_EQ(tk::viewWithTag<tk::Label>(rig.panel, 31)->textColor(), QColor(0, 255, 255));
    rig.panel->setStartPause(1);
    rig.panel->setStartPause(2);  // outside: the state stays running
    EXPECT_EQ(rig.label(31), "Running");
    // A missing language file gives no text, never a failure.
    rig.panel->setLanguageForModeView(0);
    EXPECT_EQ(rig.label(31), "");
    rig.panel->setLanguageForModeView(1);
    EXPECT_EQ(rig.label(31), "Running");
}

}  // namespace
