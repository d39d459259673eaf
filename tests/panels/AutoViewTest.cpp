#include "panels/AutoView.h"

#include <gtest/gtest.h>

#include "main/toolkit/ImageView.h"
#include "tests/panels/PanelRig.h"

namespace {

using panels::AutoView;
using paneltest::button;
using paneltest::geometries;
using paneltest::picture;

using AutoRig = paneltest::PanelRig<AutoView>;

std::vector<int> litTags(AutoView& view) {
    std::vector<int> lit;
    for (int tag = 1; tag <= 6; ++tag) {
        if (picture(&view, tag).endsWith("_on")) lit.push_back(tag);
    }
    return lit;
}

TEST(AutoView, LayoutStepsFollowThePanelsWidthAndIdiom) {
    // A phone whose frame height is 460: the panel is 320 x 210, the step 92.5.
    AutoRig phone(tk::Screen::phone(), QRect(60, 55, 320, 210));
    auto* v = phone.panel;
    // 119.5 rounds to 120.
    EXPECT_EQ(geometries({button(v, 1), button(v, 2), button(v, 3), button(v, 4), button(v, 7),
                          v->imageView()}),
              "27,10,90,90 120,10,90,90 212,10,90,90 27,105,90,90 280,180,40,40 0,0,320,210");
    EXPECT_EQ(picture(v, 7), "layout_goback_on");
    EXPECT_EQ(v->imageView()->image().name(), "bg1");
    EXPECT_EQ(v->children().first(), v->imageView()) << "the background is at the back";

    v = phone.place(QRect(65, 55, 438, 210));  // L = 568: the large step
    EXPECT_EQ(geometries({button(v, 1), button(v, 3), button(v, 6)}),
              "70,10,90,90 294,10,90,90 294,110,90,90");
    EXPECT_EQ(button(v, 1)->titleFont().pixelSize(), 9);
    EXPECT_EQ(button(v, 1)->titleColor(), QColor(Qt::black));

    AutoRig tablet(tk::Screen::tablet(), QRect(120, 130, 774, 500));  // step 238.5
    v = tablet.panel;
    EXPECT_EQ(geometries({button(v, 1), button(v, 2), button(v, 6), button(v, 7)}),
              "70,50,180,180 309,50,180,180 547,250,180,180 704,430,70,70");
    EXPECT_EQ(button(v, 1)->titleFont().pixelSize(), 17);
}

TEST(AutoView, TheReportedProgrammeLightsItsButtonAndTitlesAreLoaded) {
    AutoRig rig(tk::Screen::phone(), QRect(65, 55, 438, 210),
                "<plist><dict><key>comfort</key><string>Comfort</string>"
                "<key>waiststretch</key><string>Stretch</string></dict></plist>");
    auto& view = *rig.panel;
    const char* off[6] = {"auto_comfort_off", "auto_easy_off",        "auto_improve_off",
                          "auto_twist_off",   "auto_airpressure_off", "auto_waisttensile_off"};
    for (int tag = 1; tag <= 6; ++tag) EXPECT_EQ(picture(&view, tag), off[tag - 1]);
    // The chair's programmes 4 and 5 sit on each other's buttons.
    view.setBtnSel(4);
    EXPECT_EQ(litTags(view), std::vector<int>{5});
    view.setBtnSel(5);
    EXPECT_EQ(litTags(view), std::vector<int>{4});
    EXPECT_EQ(picture(&view, 4), "auto_twist_on");
    view.setBtnSel(6);
    EXPECT_EQ(litTags(view), std::vector<int>{6});
    for (std::uint64_t p : {0ull, 7ull, ~0ull}) {
        view.setBtnSel(2);
        view.setBtnSel(p);
        EXPECT_TRUE(litTags(view).empty()) << p;
    }

    view.setLanguageForModeView(1);
    EXPECT_EQ(button(&view, 1)->title(), "Comfort");
    EXPECT_EQ(button(&view, 6)->title(), "Stretch");
    EXPECT_EQ(button(&view, 2)->title(), "") << "a key the file lacks has no text";
    view.setLanguageForModeView(0);  // no Chinese file here
    EXPECT_EQ(button(&view, 1)->title(), "");
}

}  // namespace
