#include "panels/AutoView.h"

#include <gtest/gtest.h>

#include <QFile>

#include "main/toolkit/ImageButton.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Tag.h"
#include "panels/LanguageStore.h"
#include "tests/support/TestRuntime.h"

namespace {

using panels::AutoView;

class AutoViewTest : public ::testing::Test {
protected:
    explicit AutoViewTest(tk::Screen screen = tk::Screen::phone()) : rt(screen) {}

    std::unique_ptr<AutoView> make(const QRect& frame) {
        return std::make_unique<AutoView>(frame, panels::PanelContext{rt.runtime, languages});
    }
    static tk::ImageButton* button(AutoView& view, int tag) {
        return tk::viewWithTag<tk::ImageButton>(&view, tag);
    }
    static QString picture(AutoView& view, int tag) {
        return button(view, tag)->backgroundImage().name();
    }
    static std::vector<int> litTags(AutoView& view) {
        std::vector<int> lit;
        for (int tag = 1; tag <= 6; ++tag) {
            if (picture(view, tag).endsWith("_on")) lit.push_back(tag);
        }
        return lit;
    }

    testsupport::TestRuntime rt;
    panels::LanguageStore languages{rt.bundle};
};

TEST_F(AutoViewTest, NarrowPhoneLayoutUsesTheSmallStep) {
    // A phone whose frame height is 460: the panel is 320 x 210, the step 92.5.
    auto view = make(QRect(60, 55, 320, 210));
    std::vector<int> xs;
    for (int tag = 1; tag <= 3; ++tag) xs.push_back(button(*view, tag)->x());
    EXPECT_EQ(xs, (std::vector<int>{27, 120, 212})) << "119.5 rounds to 120";
    EXPECT_EQ(button(*view, 4)->geometry(), QRect(27, 105, 90, 90));
    EXPECT_EQ(button(*view, 1)->geometry().size(), QSize(90, 90));
    EXPECT_EQ(button(*view, 7)->geometry(), QRect(280, 180, 40, 40));
    EXPECT_EQ(picture(*view, 7), "layout_goback_on");
    EXPECT_EQ(view->imageView()->geometry(), QRect(0, 0, 320, 210));
    EXPECT_EQ(view->imageView()->image().name(), "bg1");
    EXPECT_EQ(view->children().first(), view->imageView()) << "the background is at the back";
}

TEST_F(AutoViewTest, WidePhoneLayoutUsesTheLargeStep) {
    auto view = make(QRect(65, 55, 438, 210));  // L = 568
    EXPECT_EQ(button(*view, 1)->geometry(), QRect(70, 10, 90, 90));
    EXPECT_EQ(button(*view, 3)->geometry(), QRect(294, 10, 90, 90));
    EXPECT_EQ(button(*view, 6)->geometry(), QRect(294, 110, 90, 90));
    EXPECT_EQ(button(*view, 1)->titleFont().pixelSize(), 9);
    EXPECT_EQ(button(*view, 1)->titleColor(), QColor(Qt::black));
}

TEST_F(AutoViewTest, ButtonsStartOffWithTheirTablePictures) {
    auto view = make(QRect(60, 55, 340, 210));
    const char* off[6] = {"auto_comfort_off", "auto_easy_off",        "auto_improve_off",
                          "auto_twist_off",   "auto_airpressure_off", "auto_waisttensile_off"};
    for (int tag = 1; tag <= 6; ++tag) EXPECT_EQ(picture(*view, tag), off[tag - 1]);
}

TEST_F(AutoViewTest, ProgrammesFourAndFiveLightTheCrossedButtons) {
    auto view = make(QRect(65, 55, 438, 210));
    view->setBtnSel(4);
    EXPECT_EQ(litTags(*view), std::vector<int>{5});
    EXPECT_EQ(picture(*view, 5), "auto_airpressure_on");
    view->setBtnSel(5);
    EXPECT_EQ(litTags(*view), std::vector<int>{4});
    EXPECT_EQ(picture(*view, 4), "auto_twist_on");
    view->setBtnSel(6);
    EXPECT_EQ(picture(*view, 6), "auto_waisttensile_on");
}

TEST_F(AutoViewTest, OnlyTheLastReportStaysLitAndOthersLightNothing) {
    auto view = make(QRect(65, 55, 438, 210));
    view->setBtnSel(1);
    view->setBtnSel(3);
    EXPECT_EQ(litTags(*view), std::vector<int>{3});
    for (std::uint64_t p : {0ull, 7ull, 8ull, 9ull, 10ull, 200ull, ~0ull}) {
        view->setBtnSel(2);
        view->setBtnSel(p);
        EXPECT_TRUE(litTags(*view).empty()) << p;
    }
}

TEST_F(AutoViewTest, CommandCodesByTag) {
    for (int tag = 1; tag <= 6; ++tag) EXPECT_EQ(AutoView::commandCodeForTag(tag), 64 + tag);
    EXPECT_EQ(AutoView::commandCodeForTag(0), 0);
    EXPECT_EQ(AutoView::commandCodeForTag(AutoView::kGoBackTag), 0);
}

TEST_F(AutoViewTest, TitlesComeFromTheLanguageFile) {
    QFile file(rt.dir.path() + "/en.plist");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "<plist><dict><key>comfort</key><string>Comfort</string>"
        "<key>waiststretch</key><string>Stretch</string></dict></plist>");
    file.close();
    auto view = make(QRect(65, 55, 438, 210));
    view->setLanguageForModeView(1);
    EXPECT_EQ(button(*view, 1)->title(), "Comfort");
    EXPECT_EQ(button(*view, 6)->title(), "Stretch");
    EXPECT_EQ(button(*view, 2)->title(), "") << "a key the file lacks has no text";
    view->setLanguageForModeView(0);  // no Chinese file here
    EXPECT_EQ(button(*view, 1)->title(), "");
}

class TabletAutoViewTest : public AutoViewTest {
protected:
    TabletAutoViewTest() : AutoViewTest(tk::Screen::tablet()) {}
};

TEST_F(TabletAutoViewTest, TabletLayout) {
    auto view = make(QRect(120, 130, 774, 500));
    // Step (774 - 300) / 4 + 120 = 238.5.
    EXPECT_EQ(button(*view, 1)->geometry(), QRect(70, 50, 180, 180));
    EXPECT_EQ(button(*view, 2)->geometry(), QRect(309, 50, 180, 180));
    EXPECT_EQ(button(*view, 6)->geometry(), QRect(547, 250, 180, 180));
    EXPECT_EQ(button(*view, 7)->geometry(), QRect(704, 430, 70, 70));
    EXPECT_EQ(button(*view, 1)->titleFont().pixelSize(), 17);
}

}  // namespace
