// Every screen a user meets, in each idiom and language: no caption, title or label is cut
// off, every text stands out from what is behind it, captions keep to their frames, and
// every button has a name a screen reader can say, in the screen's language.
#include <gtest/gtest.h>

#include <QAccessible>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "app/script/ScriptRunner.h"
#include "main/ScreenRig.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Label.h"
#include "main/toolkit/Tag.h"
#include "main/toolkit/ViewAttributes.h"
#include "widgets/MarqueeLabel.h"

namespace {

// Walks the whole app with its real pictures and texts against the simulated chair, through
// every screen a user meets (the main screen, the menu, each menu panel and page, the
// Adjust and Info panels, the service panel with its file chooser, the settings panel with
// both choices), in one idiom and language, and calls `check` on each with its name.
void visitEveryScreen(tk::Screen screen, int languageFlag,
                      const std::function<void(QWidget& window, const std::string&)>& check) {
    base::LogCapture log;
    QTemporaryDir dir;
    // The file chooser lists a home of the test's own.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(dir.path()));
    QFile(dir.filePath("chair-update.bin")).open(QIODevice::WriteOnly);
    QFile settings(dir.filePath("settings.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(QString("[General]\nlanguageFlag=%1\n").arg(languageFlag).toUtf8());
    settings.close();
    script::WorldSettings world;
    world.screen = screen;
    world.settingsFile = settings.fileName();
    world.chair = script::ChairMode::Simulated;
    std::ostringstream out;
    script::ScriptWorld app(world, out);
    app.launch();
    script::ScriptRunner runner(app, out);
    const std::pair<const char*, const char*> steps[] = {
        {"main screen", "wait 6"},
        {"menu", "tap menu-button\nwait 1"},
        {"Auto panel", "tap menu/1\nwait 1"},
        {"Manual panel", "tap menu/2\nwait 1"},
        {"Manual panel, positions", "tap 101/23\nwait 1"},
        {"Pressure panel", "tap menu/3\nwait 1"},
        {"Other panel", "tap menu/4\nwait 1"},
        {"service panel", "tap service-button\nwait 1"},
        {"file chooser", "tap 107/9\nwait 1"},
        {"service panel again", "back\nwait 1"},
        {"settings panel", "tap settings-button\nwait 1"},
        {"settings, languages", "tap 104/1\nwait 1"},
        {"settings, volume", "tap 104/2\nwait 1"},
        {"shoulder measuring", "tap settings-button\ntap 50\nwait 3"},
        {"position adjust", "wait 3.5\ntap 105/1\nwait 0.5"},
        {"running", "wait 70"},
    };
    for (const auto& [name, lines] : steps) {
        for (const QString& line : QString(lines).split('\n')) {
            const auto failure = runner.perform(line);
            ASSERT_FALSE(failure) << name << ": " << line.toStdString() << ": " << *failure;
        }
        app.settle();
        check(*app.app().window(), name);
    }
    qputenv("HOME", home);
}

// Every node that is on screen, through the accessibility tree from the window down.
void walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface&)>& visit) {
    if (!node || node->state().invisible) return;
    visit(*node);
    for (int i = 0; i < node->childCount(); ++i) walk(node->child(i), visit);
}

QString nameOf(QWidget* widget) {
    if (!widget) return "(no such control)";
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

struct Case {
    const char* name;
    tk::Screen screen;
    int language;
};

// WCAG's relative luminance of a colour.
double luminance(const QColor& colour) {
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

// The text's colour against the median of what is drawn behind the label.
double contrastOf(QWidget& window, tk::Label& label) {
    const QRect frame(label.mapTo(&window, QPoint()), label.size());
    label.hide();
    const QImage behind = window.grab(frame).toImage();
    label.show();
    std::vector<double> levels;
    for (int y = 0; y < behind.height(); ++y)
        for (int x = 0; x < behind.width(); ++x)
            levels.push_back(luminance(behind.pixelColor(x, y)));
    if (levels.empty()) return 21;
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 2, levels.end());
    const double text = luminance(label.textColor()), back = levels[levels.size() / 2];
    return (std::max(text, back) + 0.05) / (std::min(text, back) + 0.05);
}

// Where a control's picture is drawn, in its parent's coordinates.
QRect drawnPart(QWidget& control) {
    QImage image(control.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    control.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QRect drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 64) drawn |= QRect(x, y, 1, 1);
    return drawn.translated(control.pos());
}

// A caption's text stays inside its frame and its box and never runs across the edge of a
// control beside it; captions side by side, or stacked at one left edge, share one size.
void checkCaption(QWidget& window, tk::Label* label, const std::string& screen) {
    const QRect ink = label->textRect().translated(label->pos());
    const std::string what = screen + ": \"" + label->text().toStdString() + "\"";
    QWidget* box = label->parentWidget();
    EXPECT_TRUE(label->geometry().adjusted(0, -2, 0, 2).contains(ink) &&
                box->rect().adjusted(2, 0, -2, 0).contains(ink))
        << what << " crosses its frame or its box";
    for (auto* other : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == label || !other->isVisibleTo(&window)) continue;
        if (auto* caption = qobject_cast<tk::Label*>(other)) {
            if (caption->text().isEmpty()) continue;
            EXPECT_FALSE(caption->textRect().translated(caption->pos()).intersects(ink))
                << what << " runs into \"" << caption->text().toStdString() << "\"";
            EXPECT_FALSE(caption->adjustsFontSizeToFitWidth() && caption->size() == label->size() &&
                         (caption->x() == label->x() || caption->y() == label->y()) &&
                         caption->drawnFont().pointSizeF() != label->drawnFont().pointSizeF())
                << what << " and \"" << caption->text().toStdString() << "\" differ in size";
            continue;
        }
        // A button, or a bar with its segments, where its picture is drawn. A caption on a
        // control keeps within its sides, one beside it stays clear.
        if (!qobject_cast<tk::ImageButton*>(other) &&
            other->findChildren<tk::ImageButton*>().isEmpty())
            continue;
        const QRect frame = drawnPart(*other), both = frame.adjusted(-2, 0, 2, 0) & ink;
        EXPECT_FALSE(frame.contains(ink.center())
                         ? ink.left() < frame.left() + 2 || ink.right() > frame.right() - 2
                         : both.height() * 2 > ink.height())
            << what << " runs across the edge of tag " << tk::tagOf(other) << ": " << ink.left()
            << " to " << ink.right() << " against " << frame.left() << " to " << frame.right();
    }
}

class EveryScreen : public ::testing::TestWithParam<Case> {};

// One walk for all checks: it is the slow part.
TEST_P(EveryScreen, LabelsHoldTheirWholeTextStandOutAndKeepToTheirFramesAndButtonsAreNamed) {
    int labels = 0, measured = 0, captions = 0, buttons = 0, lit = 0;
    std::map<std::string, int> sliders, rows;
    std::map<std::string, std::vector<QString>> names;
    std::vector<bool> powerLit;
    visitEveryScreen(
        GetParam().screen, GetParam().language, [&](QWidget& window, const std::string& screen) {
            for (auto* label : window.findChildren<tk::Label*>()) {
                if (!label->isVisibleTo(&window) || label->text().isEmpty()) continue;
                ++labels;
                EXPECT_TRUE(label->showsWholeText())
                    << screen << ": tag " << tk::tagOf(label) << " \""
                    << label->text().toStdString() << "\" in " << label->width() << " x "
                    << label->height() << " shows \""
                    << label->visibleLines().join('|').toStdString() << "\" at "
                    << label->drawnFont().pointSizeF() << " pt";
                // Every text stands out from what is behind it.
                bool opaque = !label->text().trimmed().isEmpty();
                for (QWidget* v = label; v && opaque; v = v->parentWidget())
                    opaque = tk::alphaOf(v) > 0.01;
                if (opaque) {
                    ++measured;
                    EXPECT_GE(contrastOf(window, *label), 4.5)
                        << screen << ": tag " << tk::tagOf(label) << " \""
                        << label->text().toStdString() << "\" in "
                        << label->textColor().name().toStdString();
                }
                if (label->adjustsFontSizeToFitWidth()) {
                    ++captions;
                    checkCaption(window, label, screen);
                }
            }
            // Nothing off screen shows, no node comes twice, no caption is read besides its
            // control, bars are named sliders and the language list has selectable rows.
            const QRect shown = QAccessible::queryAccessibleInterface(&window)->rect();
            std::set<QObject*> seen;
            std::vector<std::pair<QString, QRect>> texts, controls;
            walk(QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface& node) {
                const QString name = node.text(QAccessible::Name);
                EXPECT_TRUE(seen.insert(node.object()).second) << screen << ": twice";
                EXPECT_TRUE(node.rect().intersects(shown))
                    << screen << ": \"" << name.toStdString() << "\" shows off screen";
                if (node.role() == QAccessible::StaticText) texts.push_back({name, node.rect()});
                if (node.role() == QAccessible::Button || node.role() == QAccessible::Slider)
                    controls.push_back({name, node.rect()});
                if (node.role() == QAccessible::Slider) {
                    ++sliders[screen];
                    EXPECT_FALSE(name.isEmpty()) << screen << ": an unnamed bar";
                    EXPECT_NE(node.valueInterface(), nullptr);
                }
                if (node.role() == QAccessible::ListItem) {
                    rows[screen] += 1 + 10 * node.state().selected;
                    EXPECT_TRUE(node.state().selectable);
                }
                if (node.role() != QAccessible::Button) return;
                ++buttons;
                auto* button = qobject_cast<tk::ImageButton*>(node.object());
                EXPECT_FALSE(node.text(QAccessible::Name).trimmed().isEmpty())
                    << screen << ": button tag " << tk::tagOf(button) << " \""
                    << (button ? button->backgroundImage().name().toStdString() : "")
                    << "\" has no name";
                if (node.state().checked) ++lit;
            });
            // What the screen shows of the chair and the sound is read as text.
            const std::map<std::string, std::vector<const char*>> status = {
                {"running", {"Remaining time: ", "剩余时间：", "Position ", "位置 "}},
                {"settings, volume", {"0 %", "0 %"}}};
            if (auto it = status.find(screen); it != status.end()) {
                for (std::size_t k = GetParam().language ? 0 : 1; k < it->second.size(); k += 2) {
                    const QString shown = QString::fromUtf8(it->second[k]);
                    EXPECT_TRUE(
                        std::any_of(texts.begin(), texts.end(),
                                    [&](const auto& text) { return text.first.contains(shown); }))
                        << screen << ": no \"" << shown.toStdString() << "\" text";
                }
            }
            // A caption is drawn on or next to its control.
            for (const auto& [text, at] : texts) {
                for (const auto& [control, frame] : controls) {
                    EXPECT_FALSE(!text.isEmpty() && control.startsWith(text) &&
                                 frame.adjusted(-40, -40, 40, 40).intersects(at))
                        << screen << ": \"" << text.toStdString() << "\" read besides its control";
                }
            }
            if (screen == "main screen" || screen == "running") {
                QWidget* power = tk::viewWithTag(&window, mainscreen::kPowerButtonTag);
                powerLit.push_back(QAccessible::queryAccessibleInterface(power)->state().checked);
            }
            // Captions name buttons and bar segments.
            const std::map<std::string, std::pair<int, std::vector<int>>> named = {
                {"Manual panel", {mainscreen::kManualPanelTag, {1, 7, 9, 12, 13}}},
                {"Other panel", {mainscreen::kOtherPanelTag, {1, 3, 5, 11, 12}}}};
            if (auto it = named.find(screen); it != named.end()) {
                QWidget* view = tk::viewWithTag(&window, it->second.first);
                ASSERT_NE(view, nullptr) << screen;
                for (int tag : it->second.second)
                    names[screen].push_back(nameOf(tk::viewWithTag(view, tag)));
            }
        });
    EXPECT_GT(labels, 150);
    EXPECT_GT(measured, 100);
    EXPECT_GT(captions, 50);
    EXPECT_GT(buttons, 200);
    EXPECT_GT(lit, 10);
    EXPECT_EQ(powerLit, (std::vector<bool>{false, true})) << "the power button lights when on";
    EXPECT_EQ(sliders,
              (std::map<std::string, int>{
                  {"Manual panel", 2}, {"Pressure panel", 2}, {"Other panel", 1}, {"running", 1}}));
    EXPECT_EQ(rows["settings, languages"], 12) << "two rows, the language's selected";
    // On the narrow phone "Knead" ends just over the speed bar; the bar keeps its own caption.
    if (GetParam().language == 1) {
        EXPECT_EQ(names["Manual panel"], (std::vector<QString>{"Shoulder grasp", "Pace 1", "Pace 3",
                                                               "Width 1", "Width 2"}));
        EXPECT_EQ(names["Other panel"],
                  (std::vector<QString>{"Heat", "Speed 1", "Speed 3", "Memory programmes 1",
                                        "Memory programmes 2"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryIdiomAndLanguage, EveryScreen,
    ::testing::Values(Case{"phone480zh", tk::Screen{480, 300, tk::Idiom::Phone}, 0},
                      Case{"phone480en", tk::Screen{480, 300, tk::Idiom::Phone}, 1},
                      Case{"phone568zh", tk::Screen::phone(), 0},
                      Case{"phone568en", tk::Screen::phone(), 1},
                      Case{"tabletZh", tk::Screen::tablet(), 0},
                      Case{"tabletEn", tk::Screen::tablet(), 1}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(AccessibilityNames, FollowTheLanguage) {
    screentest::ScreenRig rig(tk::Screen::phone());
    rig.start();
    QWidget* power = rig.root().viewWithTag(mainscreen::kPowerButtonTag);
    EXPECT_EQ(nameOf(power), "zh:a11yPower");
    rig.root().selectLanguage(1);
    EXPECT_EQ(nameOf(power), "en:a11yPower");
    EXPECT_EQ(nameOf(rig.root().hintLine()), rig.root().hintLine()->text());
}

}  // namespace
