// The keyboard and a reader's actions on the main screen: reading order, the hold rule for
// Space, Enter and the shortcut keys, bars as values, Esc as go-back.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>

#include "main/MainCommands.h"
#include "main/ScreenRig.h"
#include "main/ViewTags.h"
#include "main/toolkit/ControlKinds.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/KeyboardFocus.h"
#include "main/toolkit/ScaledWindow.h"
#include "panels/ManualView.h"

namespace {

using namespace mainscreen;
using panels::ManualView;
using screentest::frameOf;

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        rig.start();
        // The fixed controls in reading order; the menu's entries reuse the quick keys' tags.
        for (const char* name : {kMenuButtonName, "200", "2", "3", "4", "5", kServiceButtonName,
                                 kSettingsButtonName, "50"}) {
            for (auto* b :
                 rig.root().view()->findChildren<tk::ImageButton*>(Qt::FindDirectChildrenOnly)) {
                if (b->objectName() == name || QString::number(tk::tagOf(b)) == name)
                    fixedOnes.push_back(b);
            }
        }
    }
    tk::KeyboardFocus& keyboard() { return *tk::KeyboardFocus::of(rig.world->app().window()); }
    void key(int code, bool down, bool autoRepeat = false) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, code, Qt::NoModifier,
                        QString(), autoRepeat);
        // As the system delivers them: to the window that shows the screens.
        QCoreApplication::sendEvent(rig.world->app().hostWindow(), &event);
        rig.settle();
    }
    void strokes(std::initializer_list<int> codes) {
        for (int code : codes) key(code, true), key(code, false);
    }
    // What Tab visits from the start, once round.
    std::vector<QWidget*> tabbed() {
        keyboard().focus(nullptr);
        std::vector<QWidget*> seen;
        for (strokes({Qt::Key_Tab});
             seen.size() < 99 && (seen.empty() || keyboard().current() != seen[0]);
             strokes({Qt::Key_Tab}))
            seen.push_back(keyboard().current());
        return seen;
    }
    screentest::ScreenRig rig;
    std::vector<QWidget*> fixedOnes;
};

// One press however long the key repeats, repeats from the screen's timer, one stop on
// release or when the focus leaves; a reader's press is a short tap.
TEST_F(Keyboard, TabReadsTheFixedControlsAndHeldKeysHoldAQuickKeyWithoutAutoRepeat) {
    ASSERT_EQ(fixedOnes.size(), 9u);
    EXPECT_EQ(tabbed(), fixedOnes) << "the closed menu's entries are not visited";
    strokes({Qt::Key_Backtab});
    EXPECT_EQ(keyboard().current(), fixedOnes.back());

    const std::string up = frameOf(kFootUpCode), stop = frameOf(kQuickKeyStopCode);
    for (const auto& [pressKey, focused, leaveByTab] : {std::tuple{Qt::Key_Space, true, false},
                                                        {Qt::Key_Return, true, true},
                                                        {Qt::Key_2, false, false}}) {
        keyboard().focus(focused ? fixedOnes[2] : nullptr);
        key(pressKey, true);
        for (int k = 0; k < 5; ++k) {
            rig.advance(0.22);
            key(pressKey, false, true), key(pressKey, true, true);
        }
        leaveByTab ? strokes({Qt::Key_Tab}) : key(pressKey, false);
        rig.advance(2);
        EXPECT_EQ(rig.sent(), (screentest::Frames{up, up, up, stop})) << pressKey;
    }
    QAccessible::queryAccessibleInterface(fixedOnes[3])
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    rig.advance(1);
    strokes({Qt::Key_1, Qt::Key_P});
    EXPECT_EQ(rig.sent(), (screentest::Frames{frameOf(kFootDownCode), stop, frameOf(kAutoKeyCode),
                                              frameOf(kPowerOnCode)}));
}

TEST_F(Keyboard, APanelReadsAfterTheMenuItsBarIsOneSliderAndEscGoesBack) {
    strokes({Qt::Key_M});
    rig.advance(1);
    rig.tap(tk::viewWithTag<tk::ImageButton>(rig.root().menuView(), 2));
    rig.advance(1);
    rig.sent();
    auto* panel = static_cast<ManualView*>(rig.view(kManualPanelTag));
    QWidget* bar = tk::viewWithTag(panel, ManualView::kFirstSpeedTag)->parentWidget();
    const auto withPanel = tabbed();
    ASSERT_GT(withPanel.size(), 14u);
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(withPanel[n], tk::viewWithTag(rig.root().menuView(), n));
    EXPECT_EQ(withPanel[5]->parentWidget(), panel);
    EXPECT_TRUE(std::equal(fixedOnes.begin() + 1, fixedOnes.end(), withPanel.end() - 8));
    EXPECT_EQ(std::count_if(withPanel.begin(), withPanel.end(),
                            [&](QWidget* w) { return tk::barOf(w) == bar; }),
              1);

    auto* node = QAccessible::queryAccessibleInterface(bar);
    EXPECT_EQ(node->role(), QAccessible::Slider);
    EXPECT_EQ(node->text(QAccessible::Name), "zh:a11yPaceBar");
    EXPECT_EQ(node->childCount(), 0);
    EXPECT_EQ(node->valueInterface()->maximumValue(), 5);
    node->valueInterface()->setCurrentValue(2);
    rig.advance(0.5);
    EXPECT_EQ(rig.root().sessionController()->handSpeed(), 2);
    EXPECT_EQ(rig.sent().size(), 1u);
    panel->setSpeedImage(4);
    EXPECT_EQ(node->valueInterface()->currentValue(), 4) << "the grade the bar shows";

    // Tab lands on the segment of the grade shown; the arrows stop at the bar's ends.
    keyboard().focus(nullptr);
    for (int k = 0; k < 60 && tk::barOf(keyboard().current()) != bar; ++k) strokes({Qt::Key_Tab});
    EXPECT_EQ(tk::tagOf(keyboard().current()), ManualView::kFirstSpeedTag + 3);
    strokes(
        {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Left});
    EXPECT_TRUE(node->state().focused);
    strokes({Qt::Key_Space, Qt::Key_Escape});
    EXPECT_EQ(rig.root().sessionController()->handSpeed(), 3);
    rig.advance(1);
    EXPECT_FALSE(rig.root().currentMenuSate()) << "Esc goes back as the panel's go-back does";
    EXPECT_EQ(rig.view(kManualPanelTag), nullptr);
}

}  // namespace
