// Panel switches and memory: in each round the menu opens and each of its entries is tapped in
// turn, then the settings and service panels are opened and closed. A switch is timed from the
// tap to the end of the first repaint of the window that painted the new panel.
#include <QEvent>
#include <QPointer>
#include <optional>

#include "app/BenchApp.h"
#include "app/Figures.h"
#include "main/MenuView.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageButton.h"
#include "main/toolkit/Tag.h"

namespace bench {

namespace {

constexpr double kMenuSlideSeconds = 0.6;  // the menu slides in over half a second
constexpr double kBetweenTaps = 0.1;

struct Switch {
    QString name;
    double ms = 0;
};

void tap(tk::ImageButton& button) {
    button.touchDown();
    button.touchUp(true);
}

// Milliseconds from the tap to the new panel painted; nothing when it did not show.
std::optional<double> timeTap(BenchApp& app, tk::ImageButton& button, int panelTag) {
    const std::int64_t tapped = nowNs();
    tap(button);
    QPointer<QWidget> panel = app.root().viewWithTag(panelTag);
    if (!panel) return std::nullopt;
    bool painted = false;
    std::int64_t done = 0;
    auto watch = [&](QObject* receiver, QEvent* event, std::int64_t) {
        if (!panel || done) return;
        if (event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(receiver);
            if (widget == panel || (widget && panel->isAncestorOf(widget))) painted = true;
        } else if ((event->type() == QEvent::UpdateRequest || event->type() == QEvent::Expose) &&
                   painted) {
            done = nowNs();  // the repaint that drew the panel is on the screen's buffer
        }
    };
    if (!app.runUntil([&] { return done != 0; }, 2, watch)) return std::nullopt;
    return static_cast<double>(done - tapped) / 1e6;
}

tk::ImageButton* sideButton(BenchApp& app, const char* name) {
    return app.root().view()->findChild<tk::ImageButton*>(name);
}

void printMemory(std::ostream& out, int round) {
    const Memory m = currentMemory();
    out << "{\"figure\":\"memory\",\"round\":" << round << ",\"rss_mib\":" << m.residentMiB
        << ",\"peak_mib\":" << m.peakResidentMiB << "}" << std::endl;
}

}  // namespace

int runPanelRounds(BenchApp& app, std::ostream& out, int rounds) {
    app.launch();
    if (!app.waitForMainScreen(20)) {
        out << R"({"figure":"panels","error":"the main screen or the link did not come up"})"
            << std::endl;
        return 1;
    }
    app.runFor(0.5);
    printMemory(out, 0);
    auto* menuButton = sideButton(app, mainscreen::kMenuButtonName);
    auto* settingsButton = sideButton(app, mainscreen::kSettingsButtonName);
    auto* serviceButton = sideButton(app, mainscreen::kServiceButtonName);
    if (!menuButton || !settingsButton || !serviceButton || !app.root().menuView()) {
        out << R"({"figure":"panels","error":"a side button or the menu is missing"})" << std::endl;
        return 1;
    }
    const int menuPanels[] = {mainscreen::kAutoPanelTag, mainscreen::kManualPanelTag,
                              mainscreen::kPressurePanelTag, mainscreen::kOtherPanelTag};
    int failures = 0;
    auto report = [&](const char* kind, int round, const QString& name, std::optional<double> ms) {
        if (!ms) {
            ++failures;
            out << "{\"figure\":\"panel_switch\",\"error\":\"" << name.toStdString()
                << " did not show\"}" << std::endl;
            return;
        }
        out << "{\"figure\":\"" << kind << "\",\"round\":" << round << ",\"panel\":\""
            << name.toStdString() << "\",\"ms\":" << *ms << "}" << std::endl;
    };
    for (int round = 1; round <= rounds; ++round) {
        tap(*menuButton);  // the menu slides in
        app.runFor(kMenuSlideSeconds);
        for (int n = 1; n <= 4; ++n) {
            auto* entry = tk::viewWithTag<tk::ImageButton>(app.root().menuView(), n);
            if (!entry) {
                ++failures;
                continue;
            }
            report("panel_switch", round, QString("menu %1").arg(n),
                   timeTap(app, *entry, menuPanels[n - 1]));
            app.runFor(kBetweenTaps);
        }
        tap(*menuButton);  // the menu slides out and takes its panel along
        app.runFor(kMenuSlideSeconds);
        report("side_panel", round, "settings",
               timeTap(app, *settingsButton, mainscreen::kSettingsPanelTag));
        app.runFor(kBetweenTaps);
        tap(*settingsButton);
        app.runFor(kBetweenTaps);
        report("side_panel", round, "service",
               timeTap(app, *serviceButton, mainscreen::kServicePanelTag));
        app.runFor(kBetweenTaps);
        tap(*serviceButton);
        app.runFor(0.3);  // removed panels are deleted from the loop
        printMemory(out, round);
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace bench
