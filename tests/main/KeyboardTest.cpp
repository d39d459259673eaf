// The keyboard and a screen reader's actions on the main screen: reading order, the hold
// rule for Space, Enter and the shortcut keys, bars as values and Esc as go-back.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QCoreApplication>
#include <QKeyEvent>

#include "main/MainCommands.h"
#include "main/ScreenRig.h"
#include "main/ViewTags.h"
#include "main/toolkit/ControlKinds.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/KeyboardFocus.h"
#include "panels/ManualView.h"

namespace {

using namespace mainscreen;
using screentest::frameOf;
using screentest::Frames;

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override { rig.start(); }
    QWidget* window() { return rig.world->app().window(); }
    tk::KeyboardFocus& keyboard() { return *tk::KeyboardFocus::of(window()); }
    void key(int code, bool down, bool autoRepeat = false) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, code, Qt::NoModifier,
                        QString(), autoRepeat);
        QCoreApplication::sendEvent(window(), &event);
        rig.settle();
    }
    void stroke(int code) { key(code, true), key(code, false); }
    QWidget* named(const char* name) { return rig.root().view()->findChild<QWidget*>(name); }
    // Quick keys sit on the root view; the menu's entries reuse their small tags.
    QWidget* quickKey(int tag) {
        for (auto* key :
             rig.root().view()->findChildren<tk::ImageButton*>(Qt::FindDirectChildrenOnly))
            if (tk::tagOf(key) == tag) return key;
        return nullptr;
    }
    // The widgets Tab visits from the start, once round.
    std::vector<QWidget*> tabbed() {
        keyboard().focus(nullptr);
        std::vector<QWidget*> seen;
        for (stroke(Qt::Key_Tab); seen.empty() || keyboard().current() != seen.front();
             stroke(Qt::Key_Tab)) {
            seen.push_back(keyboard().current());
            if (seen.size() > 100) break;
        }
        return seen;
    }
    void openManualPanel() {
        rig.tap(qobject_cast<tk::ImageButton*>(named(kMenuButtonName)));
        rig.advance(1);
        rig.tap(tk::viewWithTag<tk::ImageButton>(rig.root().menuView(), 2));
        rig.advance(1);
        rig.sent();
    }

    screentest::ScreenRig rig;
};

TEST_F(Keyboard, TabReadsMenuButtonPanelQuickKeysServiceSettingsPowerAndWrapsBothWays) {
    std::vector<QWidget*> expected = {named(kMenuButtonName), rig.view(kAutoKeyTag)};
    for (int tag : {2, 3, 4, 5}) expected.push_back(quickKey(tag));
    for (const char* name : {kServiceButtonName, kSettingsButtonName})
        expected.push_back(named(name));
    expected.push_back(rig.view(kPowerButtonTag));
    EXPECT_EQ(tabbed(), expected) << "the closed menu's entries are not visited";
    stroke(Qt::Key_Backtab);
    EXPECT_EQ(keyboard().current(), expected.back());

    openManualPanel();
    const auto withPanel = tabbed();
    ASSERT_GT(withPanel.size(), expected.size() + 4);
    EXPECT_EQ(withPanel.front(), expected.front());
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(withPanel[n], tk::viewWithTag(rig.root().menuView(), n)) << "menu entry " << n;
    EXPECT_EQ(withPanel[5]->parentWidget(), rig.view(kManualPanelTag));
    EXPECT_TRUE(std::equal(expected.begin() + 1, expected.end(), withPanel.end() - 8));
    const auto speedStops = std::count_if(withPanel.begin(), withPanel.end(), [](QWidget* w) {
        const int tag = tk::tagOf(w);
        return tag >= panels::ManualView::kFirstSpeedTag &&
               tag < panels::ManualView::kFirstWidthTag;
    });
    EXPECT_EQ(speedStops, 1) << "a bar is one stop";
}

// Hold keys: one press however long the key repeats, the repeats from the screen's own
// timer, one stop on release or when the focus leaves.
TEST_F(Keyboard, HeldSpaceEnterOrShortcutHoldsAQuickKeyAndItsAutoRepeatPressesNothing) {
    struct Case {
        int pressKey;
        bool viaFocus;
        bool leaveByTab;
    };
    for (const Case c : {Case{Qt::Key_Space, true, false}, Case{Qt::Key_Return, true, true},
                         Case{Qt::Key_2, false, false}}) {
        keyboard().focus(c.viaFocus ? quickKey(2) : nullptr);
        key(c.pressKey, true);
        for (int k = 0; k < 5; ++k) {
            rig.advance(0.22);
            key(c.pressKey, false, true);
            key(c.pressKey, true, true);
        }
        c.leaveByTab ? stroke(Qt::Key_Tab) : key(c.pressKey, false);
        rig.advance(2);
        const std::string up = frameOf(kFootUpCode);
        EXPECT_EQ(rig.sent(), (Frames{up, up, up, frameOf(kQuickKeyStopCode)})) << c.pressKey;
    }
    stroke(Qt::Key_1);
    stroke(Qt::Key_P);
    EXPECT_EQ(rig.sent(), (Frames{frameOf(kAutoKeyCode), frameOf(kPowerOnCode)}));
}

TEST_F(Keyboard, AReadersPressOfAHoldKeySendsItsCodeOnceThenTheStop) {
    auto* node = QAccessible::queryAccessibleInterface(quickKey(3));
    node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    rig.advance(1);
    EXPECT_EQ(rig.sent(), (Frames{frameOf(kFootDownCode), frameOf(kQuickKeyStopCode)}));
}

TEST_F(Keyboard, BarIsOneSliderSetThroughItsValueOrWithArrowsAndSpace) {
    openManualPanel();
    auto* session = rig.root().sessionController();
    auto* speedSegment =
        rig.root().viewWithTag<tk::ImageButton>(panels::ManualView::kFirstSpeedTag);
    auto* bar = QAccessible::queryAccessibleInterface(speedSegment->parentWidget());
    EXPECT_EQ(bar->role(), QAccessible::Slider);
    EXPECT_EQ(bar->text(QAccessible::Name), "zh:a11yPaceBar");
    EXPECT_EQ(bar->childCount(), 0);
    EXPECT_EQ(bar->valueInterface()->maximumValue(), 5);
    bar->valueInterface()->setCurrentValue(2);
    rig.advance(0.5);
    EXPECT_EQ(session->handSpeed(), 2);
    EXPECT_EQ(rig.sent().size(), 1u);
    static_cast<panels::ManualView*>(rig.view(kManualPanelTag))->setSpeedImage(4);
    EXPECT_EQ(bar->valueInterface()->currentValue(), 4) << "the grade the bar shows";

    // Tab lands on the segment of the grade shown; the arrows stop at the bar's ends.
    keyboard().focus(nullptr);
    for (int k = 0; k < 60 && tk::barOf(keyboard().current()) != speedSegment->parentWidget(); ++k)
        stroke(Qt::Key_Tab);
    EXPECT_EQ(tk::tagOf(keyboard().current()), panels::ManualView::kFirstSpeedTag + 3);
    for (int arrow :
         {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Left})
        stroke(arrow);
    EXPECT_TRUE(bar->state().focused);
    stroke(Qt::Key_Space);
    EXPECT_EQ(session->handSpeed(), 3);
    EXPECT_EQ(rig.sent().size(), 1u);

    stroke(Qt::Key_Escape);
    rig.advance(1);
    EXPECT_FALSE(rig.root().currentMenuSate()) << "Esc goes back as the panel's go-back does";
    EXPECT_EQ(rig.view(kManualPanelTag), nullptr);
}

}  // namespace
