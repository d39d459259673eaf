// The menu, panel switching, the 10-second return and the Auto panel's place on the screen.
#include <gtest/gtest.h>

#include "main/MenuView.h"
#include "main/ViewTags.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/ViewAttributes.h"
#include "panels/AutoView.h"
#include "tests/main/ScreenRig.h"
#include "widgets/MarqueeLabel.h"

namespace {

using namespace mainscreen;
using screentest::frameOf;
using screentest::Frames;
using screentest::ScreenRig;

class MenuTest : public ::testing::Test {
protected:
    explicit MenuTest(tk::Screen screen = tk::Screen::phone()) : rig(screen) { rig.start(); }

    tk::ImageButton* menuButton() {
        return rig.root().view()->findChild<tk::ImageButton*>(kMenuButtonName);
    }
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
    QWidget* addPanel(int tag) {
        auto* panel = new QWidget(rig.root().view());
        tk::setTag(panel, tag);
        panel->show();
        return panel;
    }

    ScreenRig rig;
};

TEST_F(MenuTest, MenuSlidesInAndOutOverHalfASecond) {
    rig.tap(menuButton());
    EXPECT_TRUE(rig.root().currentMenuSate());
    rig.advance(0.25);
    EXPECT_GT(rig.root().menuView()->y(), -600);
    EXPECT_LT(rig.root().menuView()->y(), 0);
    rig.advance(0.25);
    EXPECT_EQ(rig.root().menuView()->geometry(), QRect(10, 0, 66, 285));
    EXPECT_EQ(tk::alphaOf(rig.root().menuView()), 1.0);

    rig.tap(menuButton());
    rig.advance(0.5);
    EXPECT_FALSE(rig.root().currentMenuSate());
    EXPECT_EQ(rig.root().menuView()->geometry(), QRect(10, -600, 66, 285));
    EXPECT_EQ(tk::alphaOf(rig.root().menuView()), 0.0);
}

TEST_F(MenuTest, OpeningAloneDoesNotStartTheReturn) {
    openMenu();
    rig.advance(60);
    EXPECT_TRUE(rig.root().currentMenuSate());
}

TEST_F(MenuTest, ChoosingAutoPutsUpThePanelAndReturnsTenSecondsLater) {
    openMenu();
    rig.tap(entry(1));
    ASSERT_NE(autoPanel(), nullptr);
    EXPECT_EQ(autoPanel()->geometry(), QRect(65, 55, 438, 210));
    EXPECT_EQ(entryPicture(1), "layout_auto_on");
    EXPECT_EQ(rig.root().titleLabel()->text(), "zh:autoOne");
    EXPECT_EQ(rig.root().hintLine()->text(), "zh:hint3");
    EXPECT_TRUE(rig.root().menuFlag());
    EXPECT_TRUE(rig.root().currentMenuSate()) << "the menu stays open";
    EXPECT_EQ(tk::viewWithTag<tk::ImageButton>(autoPanel(), 1)->title(), "zh:comfort");

    rig.advance(9.9);
    EXPECT_NE(autoPanel(), nullptr);
    rig.advance(0.1);
    EXPECT_EQ(autoPanel(), nullptr);
    EXPECT_FALSE(rig.root().currentMenuSate());
    EXPECT_FALSE(rig.root().menuFlag());
    EXPECT_EQ(rig.root().titleLabel()->text(), "");
    EXPECT_EQ(entryPicture(1), "layout_auto_off");
    EXPECT_EQ(rig.root().menuView()->currentIndex(), 1) << "100 keeps the old index";
}

TEST_F(MenuTest, EveryPressRestartsTheReturnAndTheMenuButtonCancelsIt) {
    openMenu();
    rig.tap(entry(1));
    rig.advance(8);
    rig.tap(tk::viewWithTag<tk::ImageButton>(autoPanel(), 2));
    rig.advance(8);
    EXPECT_NE(autoPanel(), nullptr) << "restarted by the panel's press";
    rig.tap(entry(1));
    rig.advance(9);
    EXPECT_NE(autoPanel(), nullptr) << "restarted by choosing again";
    rig.tap(menuButton());
    EXPECT_EQ(autoPanel(), nullptr);
    openMenu();
    rig.advance(30);
    EXPECT_TRUE(rig.root().currentMenuSate()) << "no return was left pending";
}

TEST_F(MenuTest, ChoosingTheSameEntryRebuildsThePanelFromTheRecords) {
    openMenu();
    rig.root().message1()[0] = 2;
    rig.tap(entry(1));
    QWidget* first = autoPanel();
    EXPECT_EQ(tk::viewWithTag<tk::ImageButton>(first, 2)->backgroundImage().name(), "auto_easy_on");
    rig.root().message1()[0] = 4;
    rig.tap(entry(1));
    ASSERT_NE(autoPanel(), nullptr);
    EXPECT_NE(autoPanel(), first);
    EXPECT_EQ(tk::viewWithTag<tk::ImageButton>(autoPanel(), 5)->backgroundImage().name(),
              "auto_airpressure_on");
    EXPECT_EQ(rig.root().view()->findChildren<panels::AutoView*>().size(), 1);
}

TEST_F(MenuTest, OtherEntriesSelectClearAndAnnounceTheirPanel) {
    openMenu();
    rig.tap(entry(1));
    rig.tap(entry(3));
    EXPECT_EQ(autoPanel(), nullptr);
    EXPECT_EQ(entryPicture(1), "layout_auto_off");
    EXPECT_EQ(entryPicture(3), "layout_airpressure_on");
    EXPECT_EQ(rig.root().titleLabel()->text(), "zh:pressureOne");
    EXPECT_EQ(rig.root().hintLine()->text(), "zh:hint6");
    rig.tap(entry(4));
    EXPECT_EQ(rig.root().currentTitleNum(), 7);
    EXPECT_EQ(rig.root().currentHintNum(), 7);
}

TEST_F(MenuTest, SelectionRules) {
    MenuView& menu = *rig.root().menuView();
    EXPECT_EQ(menu.currentIndex(), MenuView::kNoEntry);
    menu.setBtnSel(3);
    menu.setBtnSel(100);
    EXPECT_EQ(entryPicture(3), "layout_airpressure_off");
    EXPECT_EQ(menu.currentIndex(), 3);
    menu.setBtnSel(2);
    EXPECT_EQ(entryPicture(2), "layout_manual_on");
    EXPECT_EQ(menu.currentIndex(), 2);
    // Indices that name no entry and are not "none" change nothing.
    for (std::int64_t odd : {0, 5, 10, -3}) menu.setBtnSel(odd);
    menu.setBtnToNormal(0);
    menu.setBtnToNormal(7);
    EXPECT_EQ(entryPicture(2), "layout_manual_on");
    EXPECT_EQ(menu.currentIndex(), 2);
    for (int n : {1, 3, 4}) EXPECT_TRUE(entryPicture(n).endsWith("_off")) << n;
}

TEST_F(MenuTest, RemoveAllViewAndRemoveAllViewTrue) {
    for (int tag :
         {kAutoPanelTag, kSettingsPanelTag, kAdjustPanelTag, kInfoPanelTag, kServicePanelTag}) {
        addPanel(tag);
    }
    rig.root().removeAllView();
    EXPECT_TRUE(rig.root().menuFlag());
    for (int tag : {kAutoPanelTag, kSettingsPanelTag, kServicePanelTag}) {
        EXPECT_EQ(rig.view(tag), nullptr) << tag;
    }
    EXPECT_TRUE(rig.view(kAdjustPanelTag)->isHidden());
    EXPECT_TRUE(rig.view(kInfoPanelTag)->isHidden());

    rig.root().setMenuFlag(true);
    rig.root().setCurrentMenuSate(true);
    rig.root().MenuBtnAction();
    EXPECT_FALSE(rig.root().menuFlag());
    EXPECT_FALSE(rig.view(kAdjustPanelTag)->isHidden());
    EXPECT_FALSE(rig.view(kInfoPanelTag)->isHidden());

    addPanel(kSettingsPanelTag);
    addPanel(kServicePanelTag);
    addPanel(kManualPanelTag);
    rig.root().removeAllViewTrue();
    rig.settle();
    for (int tag : {kManualPanelTag, kAdjustPanelTag, kInfoPanelTag}) {
        EXPECT_EQ(rig.view(tag), nullptr) << tag;
    }
    EXPECT_NE(rig.view(kSettingsPanelTag), nullptr);
    EXPECT_NE(rig.view(kServicePanelTag), nullptr);
    EXPECT_FALSE(rig.root().menuFlag());
}

TEST_F(MenuTest, AutoPanelSendsItsCodesAndChangesNoPicture) {
    openMenu();
    rig.tap(entry(1));
    rig.sent();
    for (int tag = 1; tag <= 6; ++tag) {
        rig.tap(tk::viewWithTag<tk::ImageButton>(autoPanel(), tag));
    }
    EXPECT_EQ(rig.sent(), (Frames{frameOf(0x41), frameOf(0x42), frameOf(0x43), frameOf(0x44),
                                  frameOf(0x45), frameOf(0x46)}));
    for (int tag = 1; tag <= 6; ++tag) {
        EXPECT_TRUE(tk::viewWithTag<tk::ImageButton>(autoPanel(), tag)
                        ->backgroundImage()
                        .name()
                        .endsWith("_off"));
    }
}

TEST_F(MenuTest, AutoPanelGoBackSendsNothingAndLeavesNoReturnPending) {
    openMenu();
    rig.tap(entry(1));
    rig.sent();
    rig.tap(tk::viewWithTag<tk::ImageButton>(autoPanel(), panels::AutoView::kGoBackTag));
    EXPECT_TRUE(rig.sent().empty());
    EXPECT_EQ(autoPanel(), nullptr);
    EXPECT_FALSE(rig.root().currentMenuSate());
    EXPECT_EQ(rig.world->runtime().delayedCalls().pendingCount(&rig.root(), "MenuBtnAction"), 0u);
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

}  // namespace
