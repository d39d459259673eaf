// Start-up: from the exec, whose time the launcher passes in BENCH_EXEC_NS, to the end of the
// first repaint that drew the logo, and to the end of the event that built the main screen.
#include <QEvent>
#include <cstdlib>

#include "app/BenchApp.h"
#include "app/Figures.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/Tag.h"

namespace bench {

int runStartUp(BenchApp& app, std::ostream& out) {
    const char* exec = std::getenv("BENCH_EXEC_NS");
    const std::int64_t execNs = exec ? std::atoll(exec) : 0;
    if (execNs == 0) {
        out << R"({"figure":"startup","error":"BENCH_EXEC_NS is not set"})" << std::endl;
        return 1;
    }
    app.launch();
    bool logoPainted = false;
    std::int64_t logoShown = 0;
    std::int64_t mainBuilt = 0;
    std::int64_t mainBuildNs = 0;
    auto watch = [&](QObject* receiver, QEvent* event, std::int64_t began) {
        if (!logoShown) {
            if (event->type() == QEvent::Paint) {
                auto* widget = qobject_cast<QWidget*>(receiver);
                if (widget && tk::tagOf(widget) == mainscreen::kLogoTag) logoPainted = true;
            }
            // The first frame is drawn on the window's expose, later ones on update requests.
            const bool flushes =
                event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
            if (flushes && logoPainted) logoShown = nowNs();
        }
        // Checked between the loop's events: the screen is built within one of them.
        if (!mainBuilt && app.atLoopLevel() &&
            app.root().viewWithTag(mainscreen::kPowerButtonTag)) {
            mainBuilt = nowNs();
            mainBuildNs = mainBuilt - began;
        }
    };
    app.runUntil([&] { return logoShown && mainBuilt; }, 20, watch);
    if (!logoShown || !mainBuilt) {
        out << R"({"figure":"startup","error":"the logo or the main screen did not show"})"
            << std::endl;
        return 1;
    }
    out << "{\"figure\":\"startup\",\"logo_ms\":" << static_cast<double>(logoShown - execNs) / 1e6
        << ",\"main_screen_ms\":" << static_cast<double>(mainBuilt - execNs) / 1e6
        << ",\"main_screen_build_ms\":" << static_cast<double>(mainBuildNs) / 1e6 << "}"
        << std::endl;
    return 0;
}

}  // namespace bench
