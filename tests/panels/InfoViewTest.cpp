#include <gtest/gtest.h>

#include <QFile>
#include <QWidget>
#include <array>
#include <cstdint>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Tag.h"
#include "panels/InfoActions.h"
#include "panels/InfoView.h"
#include "panels/LanguageStore.h"
#include "support/TestRuntime.h"

namespace {

using panels::InfoView;

// An English language file only, so Chinese gives no texts.
void writeEnglish(const QString& directory) {
    QFile file(directory + "/en.plist");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>strength</key><string>Intensity</string>
<key>running</key><string>Running</string>
<key>pause</key><string>Paused</string>
</dict></plist>)");
}

// The panel placed as the main screen places it.
struct InfoRig {
    explicit InfoRig(tk::Screen screen = tk::Screen::phone()) : rt(screen), languages(rt.bundle) {
        writeEnglish(rt.dir.path());
        root.resize(screen.windowSize());
        panel = install();
    }
    InfoView* install() {
        auto* made = new InfoView(InfoView::frameOnScreen(rt.runtime.screen()),
                                  {rt.runtime, languages}, &root);
        made->show();
        return made;
    }
    QString image(int tag) const {
        return tk::viewWithTag<tk::ImageView>(panel, tag)->image().name();
    }
    QString label(int tag) const { return tk::viewWithTag<tk::Label>(panel, tag)->text(); }
    tk::ImageButton* button(int tag) { return tk::viewWithTag<tk::ImageButton>(panel, tag); }
    QRect frame(int tag) const { return tk::viewWithTag(panel, tag)->geometry(); }

    testsupport::TestRuntime rt;
    panels::LanguageStore languages;
    QWidget root;
    InfoView* panel = nullptr;
};

TEST(InfoView, LayoutsFollowIdiomAndPanelWidth) {
    struct Case {
        tk::Screen screen;
        QRect panel, indicator2, units, indicator11, position, intensity, touch15, startPause,
            state;
    };
    const Case cases[] = {
        // L 480: 340 wide, narrow; the start bar's row centres on the panel's width.
        {{480, 300, tk::Idiom::Phone},
         {60, 55, 340, 210},
         {60, 20, 45, 45},
         {275, 10, 30, 50},
         {225, 70, 45, 45},
         {275, 70, 70, 45},
         {70, 30, 150, 30},
         {64, 0, 22, 18},
         {225, 25, 50, 30},
         {280, 25, 60, 30}},
        // L 501 is a wide screen but a 371-point panel, so still the narrow layout.
        {{501, 300, tk::Idiom::Phone},
         {65, 55, 371, 210},
         {60, 20, 45, 45},
         {275, 10, 30, 50},
         {225, 70, 45, 45},
         {275, 70, 70, 45},
         {85, 30, 150, 30},
         {64, 0, 22, 18},
         {240, 25, 50, 30},
         {295, 25, 60, 30}},
        {{568, 300, tk::Idiom::Phone},
         {65, 55, 438, 210},
         {80, 20, 50, 50},
         {305, 10, 30, 50},
         {260, 70, 50, 50},
         {320, 70, 60, 50},
         {80, 30, 150, 30},
         {64, 0, 22, 18},
         {240, 25, 50, 30},
         {300, 25, 60, 30}},
        {tk::Screen::tablet(),
         {130, 100, 774, 550},
         {140, 100, 100, 100},
         {555, 80, 60, 110},
         {470, 230, 100, 100},
         {590, 230, 140, 100},
         {100, 40, 370, 70},
         {170, 5, 62, 40},
         {490, 30, 100, 65},
         {600, 40, 100, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen.L);
        InfoRig rig(c.screen);
        EXPECT_EQ(rig.panel->geometry(), c.panel);
        EXPECT_EQ(rig.frame(2), c.indicator2);
        EXPECT_EQ(rig.frame(6), c.units);
        EXPECT_EQ(rig.frame(11), c.indicator11);
        EXPECT_EQ(rig.frame(12), c.position);
        EXPECT_EQ(rig.panel->image1()->geometry(), c.intensity);
        EXPECT_EQ(rig.frame(15), c.touch15);
        EXPECT_EQ(rig.frame(18), c.startPause);
        EXPECT_EQ(rig.frame(31), c.state);
        // Touch areas live in the intensity bar, which lives in the start bar.
        EXPECT_EQ(rig.button(15)->parentWidget(), rig.panel->image1());
    }
}

TEST(InfoView, StartsEmptyAndShowsTableEntriesWhileIgnoringValuesOutside) {
    InfoRig rig;
    for (int tag : {1, 2, 3, 4, 7, 8, 9, 10, 11, 12}) EXPECT_EQ(rig.image(tag), "info_ico_bg");
    EXPECT_EQ(rig.image(5), "info_digital_0");
    EXPECT_EQ(rig.panel->image1()->image().name(), "manual_grade_0");
    EXPECT_EQ(rig.button(18)->backgroundImage().name(), "info_start");

    struct Case {
        void (InfoView::*set)(std::int64_t);
        int tag;
        std::int64_t last;
        const char* lastImage;
    };
    const Case cases[] = {
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
        SCOPED_TRACE(c.tag);
        (rig.panel->*c.set)(c.last);
        EXPECT_EQ(rig.image(c.tag), c.lastImage);
        (rig.panel->*c.set)(c.last + 1);
        (rig.panel->*c.set)(-1);
        EXPECT_EQ(rig.image(c.tag), c.lastImage);
        (rig.panel->*c.set)(0);
        EXPECT_EQ(rig.image(c.tag), "info_ico_bg");
    }
    rig.panel->setImageView1(7);
    EXPECT_EQ(rig.image(1), "info_shoulder");
    rig.panel->setSpeedImage(5);
    rig.panel->setSpeedImage(6);
    EXPECT_EQ(rig.panel->image1()->image().name(), "manual_grade_5");
}

TEST(InfoView, TimeDigitsCoverZeroToFortyFive) {
    InfoRig rig;
    auto shown = [&] { return rig.image(5) + "|" + rig.image(6); };
    rig.panel->setTimeImageView(45);
    EXPECT_EQ(shown(), "info_digital_4|info_digital_5");
    rig.panel->setTimeImageView(46);
    rig.panel->setTimeImageView(255);
    rig.panel->setTimeImageView(-5);
    EXPECT_EQ(shown(), "info_digital_4|info_digital_5");
    rig.panel->setTimeImageView(5);
    EXPECT_EQ(shown(), "info_digital_0|info_digital_5");
    rig.panel->setTimeImageView(0);
    EXPECT_EQ(shown(), "info_digital_0|info_digital_0");
}

TEST(InfoView, ZoneIndicatorPicksItsTableByPosition) {
    InfoRig rig;
    rig.panel->setImageView8(2, 1);
    EXPECT_EQ(rig.image(8), "info_lowerbody_2");
    rig.panel->setImageView8(4, 1);  // value outside: unchanged
    rig.panel->setImageView8(1, 4);  // position outside: unchanged
    EXPECT_EQ(rig.image(8), "info_lowerbody_2");
    rig.panel->setImageView8(3, 2);
    EXPECT_EQ(rig.image(8), "info_airbags_3");
    rig.panel->setImageView8(1, 3);
    EXPECT_EQ(rig.image(8), "info_legs_1");
    rig.panel->setImageView8(2, 0);
    EXPECT_EQ(rig.image(8), "info_ico_bg");
}

TEST(InfoView, StartPauseAndLanguageFollowThePanelsOwnState) {
    InfoRig rig;
    rig.panel->setLanguageForModeView(1);
    EXPECT_EQ(rig.label(30), "Intensity");
    EXPECT_EQ(rig.label(31), "Paused");
    EXPECT_EQ(tk::viewWithTag<tk::Label>(rig.panel, 31)->textColor(), QColor(0, 255, 255));

    rig.panel->setStartPause(1);
    EXPECT_EQ(rig.button(18)->backgroundImage().name(), "info_pause");
    EXPECT_EQ(rig.label(31), "Running");
    EXPECT_EQ(rig.panel->currentState(), 1);
    rig.panel->setStartPause(2);
    EXPECT_EQ(rig.button(18)->backgroundImage().name(), "info_pause");
    EXPECT_EQ(rig.panel->currentState(), 1);

    // A missing language file gives no text, never a failure.
    rig.panel->setLanguageForModeView(0);
    EXPECT_EQ(rig.label(31), "");
    rig.panel->setLanguageForModeView(1);
    EXPECT_EQ(rig.label(31), "Running");
    rig.panel->setStartPause(0);
    EXPECT_EQ(rig.button(18)->backgroundImage().name(), "info_start");
    EXPECT_EQ(rig.label(31), "Paused");
}

TEST(InfoView, TechniqueSpeedAndWidthAreSumsOfBothRecords) {
    InfoRig rig;
    const std::array<std::int64_t, 4> automatic{3, 0, 2, 1};
    const std::array<std::int64_t, 4> manual{0, 7, 0, 4};
    panels::showTechniqueSpeedWidth(*rig.panel, automatic, manual);
    EXPECT_EQ(rig.image(1), "info_shoulder");
    EXPECT_EQ(rig.image(2), "info_speed_2");
    EXPECT_EQ(rig.image(3), "info_width_5");
    // Sums outside the tables leave the indicators alone, even from corrupted records.
    const std::array<std::int64_t, 4> huge{0, INT64_MAX, 4, -2};
    panels::showTechniqueSpeedWidth(*rig.panel, huge, manual);
    EXPECT_EQ(rig.image(1), "info_shoulder");
    EXPECT_EQ(rig.image(2), "info_speed_4");
    EXPECT_EQ(rig.image(3), "info_width_2");
}

}  // namespace
