// Every control on every screen has a name a screen reader can say, in the screen's language.
#include <gtest/gtest.h>

#include <QAccessible>
#include <functional>
#include <map>
#include <vector>

#include "EveryScreen.h"
#include "main/ScreenRig.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"
#include "widgets/MarqueeLabel.h"

namespace {

// Every button that is on screen, through the accessibility tree from the window down.
void walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface&)>& visit) {
    if (!node || node->state().invisible) return;
    visit(*node);
    for (int i = 0; i < node->childCount(); ++i) walk(node->child(i), visit);
}

struct Case {
    const char* name;
    tk::Screen screen;
    int language;
};

class Accessibility : public ::testing::TestWithParam<Case> {};

TEST_P(Accessibility, EveryButtonIsNamedAndLitOnesSaySo) {
    int buttons = 0, lit = 0;
    screentest::visitEveryScreen(
        GetParam().screen, GetParam().language, [&](QWidget& window, const std::string& screen) {
            walk(QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface& node) {
                if (node.role() != QAccessible::Button) return;
                ++buttons;
                auto* button = qobject_cast<tk::ImageButton*>(node.object());
                const QString picture = button ? button->backgroundImage().name() : QString();
                EXPECT_FALSE(node.text(QAccessible::Name).trimmed().isEmpty())
                    << screen << ": button tag " << tk::tagOf(button) << " \""
                    << picture.toStdString() << "\" has no name";
                if (node.state().checked) ++lit;
            });
        });
    EXPECT_GT(buttons, 250);
    EXPECT_GT(lit, 10);
}

QString nameOf(QWidget* widget) {
    if (!widget) return "(no such control)";
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

TEST(AccessibilityNames, FollowTheLanguage) {
    screentest::ScreenRig rig(tk::Screen::phone());
    rig.start();
    QWidget* power = rig.root().viewWithTag(mainscreen::kPowerButtonTag);
    EXPECT_EQ(nameOf(power), "zh:a11yPower");
    rig.root().selectLanguage(1);
    EXPECT_EQ(nameOf(power), "en:a11yPower");
    EXPECT_EQ(nameOf(rig.root().hintLine()), rig.root().hintLine()->text());
}

TEST(AccessibilityNames, CaptionsNameButtonsAndBarSegmentsAndLitButtonsSaySo) {
    std::map<std::string, std::vector<QString>> names;
    std::vector<bool> powerLit;
    screentest::visitEveryScreen(
        tk::Screen::phone(), 1, [&](QWidget& window, const std::string& screen) {
            if (screen == "main screen" || screen == "running") {
                QWidget* power = tk::viewWithTag(&window, mainscreen::kPowerButtonTag);
                powerLit.push_back(QAccessible::queryAccessibleInterface(power)->state().checked);
            }
            if (screen != "Manual panel" && screen != "Other panel") return;
            const int panel =
                screen == "Manual panel" ? mainscreen::kManualPanelTag : mainscreen::kOtherPanelTag;
            QWidget* view = tk::viewWithTag(&window, panel);
            ASSERT_NE(view, nullptr) << screen;
            const std::vector<int> tags = panel == mainscreen::kManualPanelTag
                                              ? std::vector<int>{1, 7, 9, 12, 13}
                                              : std::vector<int>{1, 3, 5, 11, 12};
            for (int tag : tags) names[screen].push_back(nameOf(tk::viewWithTag(view, tag)));
        });
    EXPECT_EQ(names["Manual panel"],
              (std::vector<QString>{"Shoulder grasp", "Pace 1", "Pace 3", "Width 1", "Width 2"}));
    EXPECT_EQ(names["Other panel"],
              (std::vector<QString>{"Heat", "Speed 1", "Speed 3", "Memory programmes 1",
                                    "Memory programmes 2"}));
    EXPECT_EQ(powerLit, (std::vector<bool>{false, true})) << "the power button lights when on";
}

INSTANTIATE_TEST_SUITE_P(EveryIdiomAndLanguage, Accessibility,
                         ::testing::Values(Case{"phoneZh", tk::Screen::phone(), 0},
                                           Case{"phoneEn", tk::Screen::phone(), 1},
                                           Case{"tabletEn", tk::Screen::tablet(), 1}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
