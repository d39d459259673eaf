// Start-up and the two layouts of the main screen.
#include <gtest/gtest.h>

#include "main/MenuView.h"
#include "main/ViewTags.h"
#include "main/toolkit/Animator.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/NavigationController.h"
#include "main/toolkit/RepeatingTimer.h"
#include "main/toolkit/ViewAttributes.h"
#include "tests/main/ScreenRig.h"
#include "widgets/MarqueeLabel.h"

namespace {

using namespace mainscreen;
using screentest::ScreenRig;

TEST(StartupTest, LogoForFiveSecondsThenTheMainScreen) {
    ScreenRig rig;
    rig.world->launch();
    auto& nav = *rig.world->app().navigationController();
    EXPECT_TRUE(nav.isNavigationBarHidden());
    EXPECT_EQ(nav.depth(), 1);
    auto* logo = qobject_cast<tk::ImageView*>(rig.view(kLogoTag));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->geometry(), QRect(0, 0, 568, 320));
    EXPECT_EQ(logo->image().name(), "logo");
    EXPECT_EQ(rig.root().view()->geometry(), QRect(0, 0, 568, 320));

    rig.advance(4.99);
    EXPECT_NE(rig.view(kLogoTag), nullptr);
    EXPECT_EQ(rig.button(kPowerButtonTag), nullptr);
    EXPECT_EQ(rig.root().sessionController(), nullptr) << "the link starts with BeginAll";
    EXPECT_EQ(rig.world->chair().connectAttempts(), 0);

    rig.advance(0.01);
    EXPECT_EQ(rig.view(kLogoTag), nullptr);
    EXPECT_NE(rig.button(kPowerButtonTag), nullptr);
    ASSERT_NE(rig.root().sessionController(), nullptr);
    EXPECT_TRUE(rig.root().sessionController()->isConnected());
    EXPECT_EQ(rig.sent(), screentest::Frames{screentest::frameOf(chairlink::kLinkUpCode)});

    EXPECT_TRUE(rig.root().mytimer()->isPaused());
    EXPECT_EQ(rig.root().mytimer()->interval(), 0.5);
    EXPECT_TRUE(rig.root().serviceTimer()->isPaused());
    EXPECT_EQ(rig.root().serviceTimer()->interval(), 0.2);
    EXPECT_EQ(rig.root().languageFlag(), 0) << "no stored flag: Chinese";
    EXPECT_FALSE(rig.root().menuFlag());
    EXPECT_EQ(rig.root().titleLabel()->text(), "") << "no title until the chair reports";
    EXPECT_EQ(rig.root().hintLine()->text(), "");
}

struct Layout {
    tk::Screen screen;
    QRect menuButton, title, hint, menuFrame;
    QRect caption70, caption71, caption72;
    QRect service, power, settings, firstKey;
    int keyStep;
    QString servicePicture;
};

class LayoutTest : public ::testing::TestWithParam<Layout> {};

TEST_P(LayoutTest, ControlsStandWhereTheLayoutPutsThem) {
    const Layout& expected = GetParam();
    ScreenRig rig(expected.screen);
    rig.start();
    QWidget* root = rig.root().view();
    auto* menuButton = root->findChild<tk::ImageButton*>(kMenuButtonName);
    ASSERT_NE(menuButton, nullptr);
    EXPECT_EQ(menuButton->geometry(), expected.menuButton);
    EXPECT_EQ(menuButton->backgroundImage().name(), "layout_function_off");
    EXPECT_EQ(rig.root().titleLabel()->geometry(), expected.title);
    EXPECT_EQ(rig.view(kHintLineTag)->geometry(), expected.hint);
    EXPECT_EQ(rig.view(kMenuCaptionTag)->parentWidget(), menuButton);
    EXPECT_EQ(rig.view(kMenuCaptionTag)->geometry(), expected.caption70);
    EXPECT_EQ(rig.view(kServiceCaptionTag)->geometry(), expected.caption71);
    EXPECT_EQ(rig.view(kSettingCaptionTag)->geometry(), expected.caption72);
    auto* service = root->findChild<tk::ImageButton*>(kServiceButtonName);
    ASSERT_NE(service, nullptr);
    EXPECT_EQ(service->geometry(), expected.service);
    EXPECT_EQ(service->backgroundImage().name(), expected.servicePicture);
    EXPECT_EQ(rig.button(kPowerButtonTag)->geometry(), expected.power);
    EXPECT_EQ(rig.picture(kPowerButtonTag), "layout_power_off");
    auto* settings = root->findChild<tk::ImageButton*>(kSettingsButtonName);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->geometry(), expected.settings);
    EXPECT_EQ(settings->backgroundImage().name(), "layout_setup_off");

    const int keyTags[5] = {kAutoKeyTag, 2, 3, 4, 5};
    const char* keyPictures[5] = {"layout_general_auto_off", "layout_general_foot_up_off",
                                  "layout_general_foot_down_off", "layout_general_heart_down_off",
                                  "layout_general_heart_up_off"};
    for (int i = 0; i < 5; ++i) {
        // The menu's entries reuse tags 2 to 4, so the keys are found among the root's own.
        tk::ImageButton* key = nullptr;
        for (auto* child : root->findChildren<tk::ImageButton*>(Qt::FindDirectChildrenOnly)) {
            if (tk::tagOf(child) == keyTags[i]) key = child;
        }
        ASSERT_NE(key, nullptr) << "key " << i;
        EXPECT_EQ(key->geometry(), expected.firstKey.translated(0, expected.keyStep * i));
        EXPECT_EQ(key->backgroundImage().name(), keyPictures[i]);
    }

    MenuView* menu = rig.root().menuView();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->geometry(), expected.menuFrame);
    // Stacking: background at the back, the menu in front of it, the hint line in front.
    const auto children = root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_GE(children.size(), 3);
    EXPECT_EQ(qobject_cast<tk::ImageView*>(children[0])->image().name(), "bg");
    EXPECT_EQ(children[0]->geometry(),
              QRect(0, 0, expected.screen.L, expected.screen.S + tk::Screen::kStatusBar));
    EXPECT_EQ(children[1], menu);
    EXPECT_EQ(children.back(), rig.view(kHintLineTag));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, LayoutTest,
    ::testing::Values(
        // L = 480 and 500 take the narrow phone values, 501 and 568 the wide ones.
        Layout{{480, 300, tk::Idiom::Phone},
               {-20, 0, 109, 80},
               {90, 10, 300, 30},
               {90, 292, 300, 20},
               {0, -600, 66, 285},
               {25, 37, 60, 13},
               {415, 23, 60, 13},
               {415, 303, 60, 13},
               {412, -2, 63, 52},
               {12, 280, 55, 40},
               {413, 270, 60, 50},
               {420, 45, 60, 43},
               47,
               "layout_service_off"},
        Layout{{500, 300, tk::Idiom::Phone},
               {-20, 0, 109, 80},
               {90, 10, 300, 30},
               {90, 292, 300, 20},
               {0, -600, 66, 285},
               {25, 37, 60, 13},
               {435, 23, 60, 13},
               {435, 303, 60, 13},
               {432, -2, 63, 52},
               {12, 280, 55, 40},
               {433, 270, 60, 50},
               {440, 45, 60, 43},
               47,
               "layout_service_off"},
        Layout{{501, 300, tk::Idiom::Phone},
               {-15, 0, 115, 80},
               {135, 10, 300, 30},
               {110, 292, 345, 20},
               {10, -600, 66, 285},
               {25, 37, 60, 13},
               {436, 23, 60, 13},
               {436, 303, 60, 13},
               {433, -2, 63, 52},
               {12, 280, 55, 40},
               {434, 270, 60, 50},
               {441, 45, 60, 43},
               47,
               "layout_service_off"},
        Layout{{568, 300, tk::Idiom::Phone},
               {-15, 0, 115, 80},
               {135, 10, 300, 30},
               {110, 292, 345, 20},
               {10, -600, 66, 285},
               {25, 37, 60, 13},
               {503, 23, 60, 13},
               {503, 303, 60, 13},
               {500, -2, 63, 52},
               {12, 280, 55, 40},
               {501, 270, 60, 50},
               {508, 45, 60, 43},
               47,
               "layout_service_off"},
        Layout{{1024, 748, tk::Idiom::Tablet},
               {-30, 0, 215, 160},
               {140, 30, 750, 50},
               {200, 700, 620, 40},
               {20, -680, 130, 670},
               {55, 70, 100, 25},
               {899, 60, 100, 25},
               {909, 733, 100, 30},
               {914, 5, 70, 80},
               {10, 668, 140, 100},
               {894, 658, 120, 110},
               {904, 120, 120, 90},
               100,
               "layout_service_off1"}));

TEST(HintLineTest, PhoneAndTabletSettings) {
    for (const auto& screen : {tk::Screen::phone(), tk::Screen::tablet()}) {
        ScreenRig rig(screen);
        rig.start();
        auto* hint = rig.root().hintLine();
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(hint->rate(), screen.isTablet() ? 150.0 : 100.0);
        EXPECT_EQ(hint->fadeLength(), 10.0);
        EXPECT_EQ(hint->marqueeType(), 2);
        EXPECT_EQ(hint->continuousMarqueeExtraBuffer(), 50.0);
        EXPECT_EQ(hint->animationCurve(), 0x30000);
        EXPECT_EQ(hint->font().pixelSize(), screen.isTablet() ? 30 : 15);
        EXPECT_TRUE(hint->font().bold());
    }
}

TEST(MenuStartTest, PhoneMenuFadesOutAtBuildTabletMenuStaysOpaque) {
    ScreenRig phone(tk::Screen::phone());
    phone.start();
    phone.advance(0.5);
    EXPECT_EQ(tk::alphaOf(phone.root().menuView()), 0.0);
    EXPECT_EQ(phone.root().menuView()->geometry(), QRect(10, -600, 66, 285));

    ScreenRig tablet(tk::Screen::tablet());
    tablet.start();
    tablet.advance(0.5);
    EXPECT_EQ(tk::alphaOf(tablet.root().menuView()), 1.0);
    EXPECT_EQ(tablet.root().menuView()->geometry(), QRect(20, -680, 130, 670));
    EXPECT_FALSE(tablet.root().currentMenuSate());
}

}  // namespace
