// The main screen through the whole app: start-up and layouts, titles, hints and captions in
// both languages, the link in the window title, the menu and its 10-second return, the Auto
// panel, the power button and the quick keys.
#include <gtest/gtest.h>

#include "chair/ChairFaults.h"
#include "main/AppDelegate.h"
#include "main/MenuView.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/NavigationController.h"
#include "main/toolkit/RepeatingTimer.h"
#include "main/toolkit/ViewAttributes.h"
#include "panels/AutoView.h"
#include "tests/main/ScreenRig.h"
#include "widgets/MarqueeLabel.h"

namespace {

using namespace mainscreen;
using screentest::frameOf;
using screentest::frames;
using screentest::Frames;
using screentest::ScreenRig;

// A stand-in for a panel that is on screen under the given tag.
void addPanels(ScreenRig& rig, std::initializer_list<int> tags) {
    for (int tag : tags) {
        auto* panel = new QWidget(rig.root().view());
        tk::setTag(panel, tag);
        panel->show();
    }
}

// A quick key: they are direct children of the root view, as the menu reuses tags 2 to 4.
tk::ImageButton* key(ScreenRig& rig, int tag) {
    for (auto* b : rig.root().view()->findChildren<tk::ImageButton*>(Qt::FindDirectChildrenOnly))
        if (tk::tagOf(b) == tag) return b;
    ADD_FAILURE() << "no key " << tag;
    return nullptr;
}

TEST(StartupTest, LogoForFiveSecondsThenTheMainScreenInChineseAndTheWindowTitleFollowsTheLink) {
    ScreenRig rig;
    rig.world->launch();
    QWidget* window = rig.world->app().hostWindow();
    const QString name = "Massage chair remote (demo chair)";
    EXPECT_EQ(window->windowTitle(), name);
    auto* logo = qobject_cast<tk::ImageView*>(rig.view(kLogoTag));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->geometry(), QRect(0, 0, 568, 320));
    EXPECT_EQ(logo->image().name(), "logo");

    rig.advance(4.99);
    EXPECT_NE(rig.view(kLogoTag), nullptr);
    EXPECT_EQ(rig.button(kPowerButtonTag), nullptr);
    EXPECT_EQ(rig.root().sessionController(), nullptr) << "the link starts with BeginAll";
    EXPECT_EQ(rig.world->chair().connectAttempts(), 0);

    rig.advance(0.01);
    EXPECT_EQ(rig.view(kLogoTag), nullptr);
    ASSERT_NE(rig.root().sessionController(), nullptr);
    EXPECT_TRUE(rig.root().sessionController()->isConnected());
    EXPECT_EQ(rig.root().titleLabel()->text(), "") << "no title until the chair reports";
    EXPECT_EQ(window->windowTitle(), name + " \u2014 zh:linkConnected");

    // The first start is in Chinese.
    const auto menuLabel = [&](int tag) {
        return tk::viewWithTag<tk::Label>(rig.root().menuView(), tag)->text();
    };
    EXPECT_EQ((QStringList{rig.labelText(kMenuCaptionTag), rig.labelText(kServiceCaptionTag),
                           rig.labelText(kSettingCaptionTag), menuLabel(11), menuLabel(14)}),
              (QStringList{"zh:Menu", "zh:Service", "zh:Setting", "zh:Auto", "zh:Others"}));
    // Titles and hints go by index in either language; each index is checked where it is
    // shown, and here the empty key (title 0, hint 19) has its own text.
    const std::pair<int, const char*> shown[] = {{3, "zh:autoOne"}, {0, "zh:(empty)"}};
    for (const auto& [index, text] : shown) {
        rig.root().setWindowTitle(index, 0);
        EXPECT_EQ(rig.root().titleLabel()->text(), text);
    }
    rig.root().changeHintLabel(19, 1);
    EXPECT_EQ(rig.root().hintLine()->text(), "en:(empty)");
    rig.root().changeHintLabel(23, 0);
    EXPECT_EQ(rig.root().hintLine()->text(), "zh:hintFileTooLarge");
    rig.root().setWindowTitle(24, 1);
    rig.root().changeHintLabel(20, 1);
    for (std::int64_t bad : {25, -1}) rig.root().setWindowTitle(bad, 0);
    for (std::int64_t bad : {25, -1}) rig.root().changeHintLabel(bad, 0);
    EXPECT_EQ(rig.root().titleLabel()->text(), "en:Automaticother");
    EXPECT_EQ(rig.root().currentTitleNum(), 24);
    EXPECT_EQ(rig.root().hintLine()->text(), "en:hint19");
    EXPECT_EQ(rig.root().currentHintNum(), 20);

    auto& chair = rig.world->chair();
    chair.setAdvertising(false);
    chair.dropLink();
    rig.settle();
    EXPECT_EQ(window->windowTitle(), name + " \u2014 zh:linkSearching");
    rig.root().selectLanguage(1);
    EXPECT_EQ(window->windowTitle(), name + " \u2014 en:linkSearching");
    chair::ChairFaults faults;
    faults.failConnections = 2;
    chair.setFaults(faults);
    chair.setAdvertising(true);
    for (const auto& [seconds, state] : {std::pair{0.5, "en:linkRetrying 1"},
                                         {1.0, "en:linkRetrying 2"},
                                         {2.5, "en:linkConnected"}}) {
        rig.advance(seconds);
        EXPECT_EQ(window->windowTitle(), name + " \u2014 " + state);
    }
}

// The menu button, title, hint line and closed menu; the captions 70 to 72; the service,
// power and settings buttons. Then the first quick key and the step down to the next.
struct Layout {
    tk::Screen screen;
    QString frames;
    QRect firstKey;
    int keyStep;
    QString servicePicture;
};

// Phones up to L = 500 take the narrow values, wider ones the wide; the right-hand controls
// hang from the right edge.
Layout phone(int L) {
    const bool wide = L > 500;
    return {{L, 300, tk::Idiom::Phone},
            QString(wide ? "-15,0,115,80 135,10,300,30 110,292,345,20 10,-600,66,285"
                         : "-20,0,109,80 90,10,300,30 90,292,300,20 0,-600,66,285") +
                QString(" 25,37,60,13 %1,23,60,13 %1,303,60,13 %2,-2,63,52 12,280,55,40 "
                        "%3,270,60,50")
                    .arg(L - 65)
                    .arg(L - 68)
                    .arg(L - 67),
            {L - 60, 45, 60, 43},
            47,
            "layout_service_off"};
}

class LayoutTest : public ::testing::TestWithParam<Layout> {};

TEST_P(LayoutTest, ControlsStandWhereTheLayoutPutsThemAndTheHintLineFitsTheIdiom) {
    const Layout& expected = GetParam();
    const bool tablet = expected.screen.isTablet();
    ScreenRig rig(expected.screen);
    rig.start();
    QWidget* root = rig.root().view();
    auto* menuButton = rig.named(kMenuButtonName);
    MenuView* menu = rig.root().menuView();
    EXPECT_EQ(frames({menuButton, rig.root().titleLabel(), rig.view(kHintLineTag), menu,
                      rig.view(kMenuCaptionTag), rig.view(kServiceCaptionTag),
                      rig.view(kSettingCaptionTag), rig.named(kServiceButtonName),
                      rig.button(kPowerButtonTag), rig.named(kSettingsButtonName)}),
              expected.frames);
    ASSERT_TRUE(menuButton && menu && rig.named(kServiceButtonName) &&
                rig.named(kSettingsButtonName));
    EXPECT_EQ(menuButton->backgroundImage().name(), "layout_function_off");
    EXPECT_EQ(rig.view(kMenuCaptionTag)->parentWidget(), menuButton);
    EXPECT_EQ(rig.named(kServiceButtonName)->backgroundImage().name(), expected.servicePicture);
    EXPECT_EQ(rig.named(kSettingsButtonName)->backgroundImage().name(), "layout_setup_off");

    const int keyTags[5] = {kAutoKeyTag, 2, 3, 4, 5};
    const char* keyPictures[5] = {"layout_general_auto_off", "layout_general_foot_up_off",
                                  "layout_general_foot_down_off", "layout_general_heart_down_off",
                                  "layout_general_heart_up_off"};
    for (int i = 0; i < 5; ++i) {
        tk::ImageButton* k = key(rig, keyTags[i]);
        ASSERT_NE(k, nullptr);
        EXPECT_EQ(k->geometry(), expected.firstKey.translated(0, expected.keyStep * i));
        EXPECT_EQ(k->backgroundImage().name(), keyPictures[i]);
    }

    // Stacking: background at the back, the menu in front of it, the hint line in front.
    const auto children = root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_GE(children.size(), 3);
    EXPECT_EQ(qobject_cast<tk::ImageView*>(children[0])->image().name(), "bg");
    EXPECT_EQ(children[0]->geometry(),
              QRect(0, 0, expected.screen.L, expected.screen.S + tk::Screen::kStatusBar));
    EXPECT_EQ(children[1], menu);
    EXPECT_EQ(children.back(), rig.view(kHintLineTag));

    EXPECT_EQ(rig.root().hintLine()->rate(), tablet ? 150.0 : 100.0);
    EXPECT_EQ(rig.root().hintLine()->font().pixelSize(), tablet ? 30 : 15);

    // The phone's menu fades out as it is built; the tablet's stays opaque, and closed.
    rig.advance(0.5);
    EXPECT_EQ(tk::alphaOf(menu), tablet ? 1.0 : 0.0);
    EXPECT_FALSE(rig.root().currentMenuSate());
}

INSTANTIATE_TEST_SUITE_P(
    Screens, LayoutTest,
    ::testing::Values(phone(480), phone(500), phone(501), phone(568),
                      Layout{{1024, 748, tk::Idiom::Tablet},
                             "-30,0,215,160 140,30,750,50 200,700,620,40 20,-680,130,670 "
                             "55,70,100,25 899,60,100,25 909,733,100,30 914,5,70,80 "
                             "10,668,140,100 894,658,120,110",
                             {904, 120, 120, 90},
                             100,
                             "layout_service_off1"}));

class MenuTest : public ::testing::Test {
protected:
    explicit MenuTest(tk::Screen screen = tk::Screen::phone()) : rig(screen) { rig.start(); }

    tk::ImageButton* menuButton() { return rig.named(kMenuButtonName); }
    tk::ImageButton* entry(int n) {
        return tk::viewWithTag<tk::ImageButton>(rig.root().menuView(), n);
    }
    QString entryPicture(int n) { return entry(n)->backgroundImage().name(); }
    void openMenu() {
        rig.tap(menuButton());
        rig.advance(0.5);
    }
    panels::AutoView* autoPanel() {
        return rig.root().viewWithTag<panels::AutoView>(kAutoPanelTag);
    }
    tk::ImageButton* autoButton(int tag) {
        return tk::viewWithTag<tk::ImageButton>(autoPanel(), tag);
    }

    ScreenRig rig;
};

TEST_F(MenuTest, EntriesAreSelectedOneAtATimeAndTheMenuSlidesInAndOutOverHalfASecond) {
    MenuView& menu = *rig.root().menuView();
    EXPECT_EQ(menu.currentIndex(), MenuView::kNoEntry);
    menu.setBtnSel(3);
    menu.setBtnSel(100);
    EXPECT_EQ(entryPicture(3), "layout_airpressure_off");
    EXPECT_EQ(menu.currentIndex(), 3);
    menu.setBtnSel(2);
    EXPECT_EQ(entryPicture(2), "layout_manual_on");
    // Indices that name no entry and are not "none" change nothing.
    for (std::int64_t odd : {0, 5, 10, -3}) menu.setBtnSel(odd);
    menu.setBtnToNormal(0);
    menu.setBtnToNormal(7);
    EXPECT_EQ(entryPicture(2), "layout_manual_on");
    EXPECT_EQ(menu.currentIndex(), 2);
    for (int n : {1, 3, 4}) EXPECT_TRUE(entryPicture(n).endsWith("_off")) << n;

    rig.tap(menuButton());
    EXPECT_TRUE(rig.root().currentMenuSate());
    rig.advance(0.25);
    EXPECT_GT(rig.root().menuView()->y(), -600);
    EXPECT_LT(rig.root().menuView()->y(), 0);
    rig.advance(0.25);
    EXPECT_EQ(rig.root().menuView()->geometry(), QRect(10, 0, 66, 285));
    EXPECT_EQ(tk::alphaOf(rig.root().menuView()), 1.0);
    rig.advance(60);  // opening alone starts no return
    EXPECT_TRUE(rig.root().currentMenuSate());

    rig.tap(menuButton());
    rig.advance(0.5);
    EXPECT_FALSE(rig.root().currentMenuSate());
    EXPECT_EQ(rig.root().menuView()->geometry(), QRect(10, -600, 66, 285));
    EXPECT_EQ(tk::alphaOf(rig.root().menuView()), 0.0);
}

TEST_F(MenuTest, ChoosingAutoPutsUpThePanelAndReturnsTenSecondsAfterTheLastPressOrChoice) {
    openMenu();
    rig.tap(entry(1));
    ASSERT_NE(autoPanel(), nullptr);
    EXPECT_EQ(autoPanel()->geometry(), QRect(65, 55, 438, 210));
    EXPECT_EQ(entryPicture(1), "layout_auto_on");
    EXPECT_EQ(rig.root().titleLabel()->text(), "zh:autoOne");
    EXPECT_EQ(rig.root().hintLine()->text(), "zh:hint3");
    EXPECT_TRUE(rig.root().menuFlag());
    EXPECT_TRUE(rig.root().currentMenuSate()) << "the menu stays open";
    EXPECT_EQ(autoButton(1)->title(), "zh:comfort");

    rig.advance(8);
    rig.tap(autoButton(2));
    rig.advance(8);
    EXPECT_NE(autoPanel(), nullptr) << "restarted by the panel's press";
    rig.tap(entry(1));
    rig.advance(9.9);
    EXPECT_NE(autoPanel(), nullptr) << "restarted by choosing again";
    rig.advance(0.1);
    EXPECT_EQ(autoPanel(), nullptr);
    EXPECT_FALSE(rig.root().currentMenuSate());
    EXPECT_FALSE(rig.root().menuFlag());
    EXPECT_EQ(rig.root().titleLabel()->text(), "");
    EXPECT_EQ(entryPicture(1), "layout_auto_off");
    EXPECT_EQ(rig.root().menuView()->currentIndex(), 1) << "100 keeps the old index";

    // The menu button cancels the return.
    openMenu();
    rig.tap(entry(1));
    rig.tap(menuButton());
    EXPECT_EQ(autoPanel(), nullptr);
    openMenu();
    rig.advance(30);
    EXPECT_TRUE(rig.root().currentMenuSate()) << "no return was left pending";
}

TEST_F(MenuTest, AutoPanelSendsItsCodesChangesNoPictureAndGoBackLeavesNoReturn) {
    openMenu();
    rig.tap(entry(1));
    rig.sent();
    Frames expected;
    for (int tag = 1; tag <= 6; ++tag) {
        rig.tap(autoButton(tag));
        expected.push_back(frameOf(0x40 + tag));
    }
    EXPECT_EQ(rig.sent(), expected);
    for (int tag = 1; tag <= 6; ++tag)
        EXPECT_TRUE(autoButton(tag)->backgroundImage().name().endsWith("_off")) << tag;

    rig.tap(autoButton(panels::AutoView::kGoBackTag));
    EXPECT_TRUE(rig.sent().empty());
    EXPECT_EQ(autoPanel(), nullptr);
    EXPECT_FALSE(rig.root().currentMenuSate());
    EXPECT_EQ(rig.world->runtime().delayedCalls().pendingCount(&rig.root(), "MenuBtnAction"), 0u);
}

TEST_F(MenuTest, TheSameEntryRebuildsThePanelFromTheRecordsAndAnotherReplacesIt) {
    openMenu();
    rig.root().message1()[0] = 2;
    rig.tap(entry(1));
    QWidget* first = autoPanel();
    EXPECT_EQ(autoButton(2)->backgroundImage().name(), "auto_easy_on");
    rig.root().message1()[0] = 4;
    rig.tap(entry(1));
    ASSERT_NE(autoPanel(), nullptr);
    EXPECT_NE(autoPanel(), first);
    EXPECT_EQ(autoButton(5)->backgroundImage().name(), "auto_airpressure_on");
    EXPECT_EQ(rig.root().view()->findChildren<panels::AutoView*>().size(), 1);
    // Another entry clears Auto and announces its own panel.
    rig.tap(entry(3));
    EXPECT_EQ(autoPanel(), nullptr);
    EXPECT_EQ(entryPicture(1), "layout_auto_off");
    EXPECT_EQ(entryPicture(3), "layout_airpressure_on");
    // The other entries' titles are checked as their panels show the chair's records.
    EXPECT_EQ(rig.root().hintLine()->text(), "zh:hint6");
}

TEST_F(MenuTest, RemoveAllViewAndRemoveAllViewTrue) {
    addPanels(rig,
              {kAutoPanelTag, kSettingsPanelTag, kAdjustPanelTag, kInfoPanelTag, kServicePanelTag});
    rig.root().removeAllView();
    EXPECT_TRUE(rig.root().menuFlag());
    for (int tag : {kAutoPanelTag, kSettingsPanelTag, kServicePanelTag})
        EXPECT_EQ(rig.view(tag), nullptr) << tag;
    EXPECT_TRUE(rig.view(kAdjustPanelTag)->isHidden());
    EXPECT_TRUE(rig.view(kInfoPanelTag)->isHidden());

    rig.root().workingArea().openMenu();
    rig.root().MenuBtnAction();
    EXPECT_FALSE(rig.root().menuFlag());
    EXPECT_FALSE(rig.view(kAdjustPanelTag)->isHidden());
    EXPECT_FALSE(rig.view(kInfoPanelTag)->isHidden());

    addPanels(rig, {kSettingsPanelTag, kServicePanelTag, kManualPanelTag});
    rig.root().removeAllViewTrue();
    rig.settle();
    for (int tag : {kManualPanelTag, kAdjustPanelTag, kInfoPanelTag})
        EXPECT_EQ(rig.view(tag), nullptr) << tag;
    EXPECT_NE(rig.view(kSettingsPanelTag), nullptr);
    EXPECT_NE(rig.view(kServicePanelTag), nullptr);
    EXPECT_FALSE(rig.root().menuFlag());
}

class TabletMenuTest : public MenuTest {
protected:
    TabletMenuTest() : MenuTest(tk::Screen::tablet()) {}
};

TEST_F(TabletMenuTest, TabletPlacesMenuAndPanelByItsOwnNumbers) {
    openMenu();
    EXPECT_EQ(rig.root().menuView()->geometry(), QRect(10, 0, 130, 670));
    EXPECT_EQ(entry(2)->geometry(), QRect(8, 270, 110, 110));
    rig.tap(entry(1));
    ASSERT_NE(autoPanel(), nullptr);
    EXPECT_EQ(autoPanel()->geometry(), QRect(120, 130, 774, 500));
}

TEST(PowerButtonTest, OffSwitchesOnKeepingMenuPanelsOnSwitchesOffClearingThem) {
    ScreenRig rig;
    rig.start();
    addPanels(rig, {kServicePanelTag, kSettingsPanelTag, kAutoPanelTag, kInfoPanelTag});
    rig.tap(rig.button(kPowerButtonTag));
    EXPECT_EQ(rig.sent(), Frames{frameOf(0x33)});
    EXPECT_EQ(rig.view(kServicePanelTag), nullptr);
    EXPECT_EQ(rig.view(kSettingsPanelTag), nullptr);
    EXPECT_NE(rig.view(kAutoPanelTag), nullptr);
    EXPECT_FALSE(rig.view(kInfoPanelTag)->isHidden());
    EXPECT_FALSE(rig.root().menuFlag());
    EXPECT_EQ(rig.button(kPowerButtonTag)->backgroundImage().name(), "layout_power_off")
        << "the chair's report decides";

    rig.root().setPowerState(1);
    rig.tap(rig.button(kPowerButtonTag));
    EXPECT_EQ(rig.sent(), Frames{frameOf(0x32)});
    EXPECT_EQ(rig.view(kAutoPanelTag), nullptr);
    EXPECT_TRUE(rig.view(kInfoPanelTag)->isHidden());
    EXPECT_TRUE(rig.root().menuFlag());
}

// Steps: "down K", "up K", "out K" (the finger leaves), "lift K" (released outside),
// "cancel K", "hide" (the platform cancels the touch), "tap K", "wait S".
void perform(ScreenRig& rig, const QString& steps) {
    for (const QString& step : steps.split(", ")) {
        const QString verb = step.section(' ', 0, 0);
        const QString arg = step.section(' ', 1);
        if (verb == "wait") {
            rig.advance(arg.toDouble());
            continue;
        }
        if (verb == "hide") {
            rig.world->app().window()->hide();
            continue;
        }
        tk::ImageButton* k = key(rig, arg.toInt());
        ASSERT_NE(k, nullptr);
        if (verb == "down") k->touchDown();
        if (verb == "up") k->touchUp(true);
        if (verb == "out") k->moveOutside();
        if (verb == "lift") k->touchUp(false);
        if (verb == "cancel") k->cancelTouch();
        if (verb == "tap") rig.tap(k);
        rig.settle();
    }
}

TEST(QuickKeyTest, HoldsRepeatEveryHalfSecondAndEveryWayOfLettingGoStopsOnce) {
    struct Case {
        const char* steps;
        std::vector<int> codes;
        bool holding;
    };
    const Case cases[] = {
        {"down 3, wait 1.2, up 3", {0x92, 0x92, 0x92, 0x90}, false},
        {"down 4, up 4, down 5, up 5", {0x94, 0x90, 0x93, 0x90}, false},  // heart keys crossed
        {"down 2, out 2, wait 2, lift 2, wait 1", {0x91, 0x90}, false},
        // The auto key sends its code and leaves the hold's repeat alone.
        {"down 5, tap 200, wait 0.5", {0x93, 0x9C, 0x93}, true},
        {"down 5, up 5, tap 200", {0x93, 0x90, 0x9C}, false},
        {"down 2, hide, wait 2", {0x91, 0x90}, false},
        {"down 3, out 3, cancel 3, wait 1", {0x92, 0x90}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        ScreenRig rig;
        rig.start();
        perform(rig, c.steps);
        Frames expected;
        for (int code : c.codes) expected.push_back(frameOf(code));
        EXPECT_EQ(rig.sent(), expected);
        EXPECT_EQ(rig.root().mytimer()->isPaused(), !c.holding);
    }
}

}  // namespace
