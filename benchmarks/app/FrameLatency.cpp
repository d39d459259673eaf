// Frame-to-screen latency: running-state reports whose remaining minutes count up, so every
// report changes the Info panel's two time digits. After each event the main thread handled,
// the digits are read back; a change is the decoder having shown the reports up to it.
#include <QEvent>
#include <QPointer>
#include <atomic>
#include <thread>

#include "app/BenchApp.h"
#include "app/Figures.h"
#include "chair/StandInChair.h"
#include "link/StatusFrames.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/ImageView.h"
#include "main/toolkit/Tag.h"
#include "panels/InfoImageTables.h"
#include "panels/InfoView.h"

namespace bench {

namespace {

constexpr std::uint8_t kRunning = 4;
constexpr int kMinuteValues = 46;  // the Info panel shows 0 to 45 minutes

chairlink::Bytes runningReport(int minutes) {
    return chairlink::makeLongStatusFrame(chairlink::kRunningStateType, kRunning,
                                          static_cast<std::uint8_t>(minutes), 1, 1);
}

// The minutes the Info panel's digits show, or -1 while it has none.
class MinutesShown {
public:
    explicit MinutesShown(mainscreen::RootViewController& root) : root_(root) {}

    int read() {
        if (!tens_ || !units_) {
            auto* info = root_.viewWithTag<panels::InfoView>(mainscreen::kInfoPanelTag);
            if (!info) return -1;
            tens_ = tk::viewWithTag<tk::ImageView>(info, panels::InfoView::kTensDigitTag);
            units_ = tk::viewWithTag<tk::ImageView>(info, panels::InfoView::kUnitsDigitTag);
            if (!tens_ || !units_) return -1;
        }
        const int tens = digit(tens_->image().name());
        const int units = digit(units_->image().name());
        return tens < 0 || units < 0 ? -1 : tens * 10 + units;
    }

private:
    static int digit(const QString& name) {
        for (int d = 0; d <= 9; ++d) {
            if (name == panels::timeDigitImage(d)) return d;
        }
        return -1;
    }

    mainscreen::RootViewController& root_;
    QPointer<tk::ImageView> tens_;
    QPointer<tk::ImageView> units_;
};

struct RunResult {
    std::vector<double> latenciesMs;
    int sent = 0;
    int shown = 0;
    int outOfOrder = 0;
    // Most frames notified and not yet shown in the first and second half of the sending
    // time, and how many were still waiting when the last one was sent.
    int backlogFirstHalf = 0;
    int backlogSecondHalf = 0;
    int backlogAtEnd = -1;
    double sendSeconds = 0;
};

RunResult runAtRate(BenchApp& app, MinutesShown& shown, int rate, double seconds, int& lastShown) {
    const int count = static_cast<int>(rate * seconds);
    const int firstMinutes = (lastShown + 1) % kMinuteValues;
    std::vector<std::int64_t> notifiedNs(static_cast<std::size_t>(count), 0);
    std::atomic<int> sent{0};
    RunResult result;

    // The chair's side: one report per period, on time by the monotonic clock.
    std::thread feeder([&] {
        const auto start = std::chrono::steady_clock::now();
        const auto period = std::chrono::nanoseconds(1'000'000'000 / rate);
        for (int i = 0; i < count; ++i) {
            std::this_thread::sleep_until(start + i * period);
            notifiedNs[static_cast<std::size_t>(i)] = nowNs();
            sent.store(i + 1, std::memory_order_release);
            app.chair().notify(runningReport((firstMinutes + i) % kMinuteValues));
        }
    });

    const std::int64_t started = nowNs();
    int next = 0;  // the report expected on screen next
    auto watch = [&](QObject*, QEvent* event, std::int64_t) {
        // Main-thread hops arrive as these; the decoder runs in one of the loop's own.
        if (event->type() != QEvent::MetaCall || !app.atLoopLevel()) return;
        const int minutes = shown.read();
        if (minutes < 0 || minutes == lastShown) return;
        lastShown = minutes;
        const std::int64_t now = nowNs();
        // One hop may carry a whole drain run, so one event can show several reports: every
        // report up to the one on screen was decoded by now. The oldest candidate is taken,
        // which can only overstate a latency.
        const int notified = sent.load(std::memory_order_acquire);
        int reached = next;
        while (reached < notified && minutes != (firstMinutes + reached) % kMinuteValues) ++reached;
        if (reached < notified) {
            for (; next <= reached; ++next) {
                result.latenciesMs.push_back(
                    static_cast<double>(now - notifiedNs[static_cast<std::size_t>(next)]) / 1e6);
            }
        } else {
            ++result.outOfOrder;
            ++next;
        }
        const int backlog = notified - next;
        if (notified < count) {
            const bool firstHalf = static_cast<double>(now - started) / 1e9 < seconds / 2;
            int& worst = firstHalf ? result.backlogFirstHalf : result.backlogSecondHalf;
            worst = std::max(worst, backlog);
        } else if (result.backlogAtEnd < 0) {
            result.backlogAtEnd = backlog;
        }
    };
    app.runUntil([&] { return next >= count; }, seconds + 10, watch);
    feeder.join();
    result.sendSeconds = static_cast<double>(nowNs() - started) / 1e9;
    result.sent = sent.load();
    result.shown = next;
    return result;
}

}  // namespace

int runFrameLatency(BenchApp& app, std::ostream& out, int repeats) {
    app.launch();
    if (!app.waitForMainScreen(20)) {
        out << R"({"figure":"latency","error":"the main screen or the link did not come up"})"
            << std::endl;
        return 1;
    }
    MinutesShown shown(app.root());
    // The first report brings up the Info panel.
    app.chair().notify(runningReport(0));
    if (!app.runUntil([&] { return shown.read() == 0; }, 5)) {
        out << R"({"figure":"latency","error":"the Info panel did not come up"})" << std::endl;
        return 1;
    }
    int lastShown = 0;
    struct Rate {
        int perSecond;
        double seconds;
    };
    const Rate rates[] = {{100, 2.0}, {1000, 2.0}, {5000, 2.0}};
    for (int repeat = 0; repeat < repeats; ++repeat) {
        for (const Rate& rate : rates) {
            const RunResult r = runAtRate(app, shown, rate.perSecond, rate.seconds, lastShown);
            const auto& l = r.latenciesMs;
            out << "{\"figure\":\"latency\",\"rate\":" << rate.perSecond << ",\"repeat\":" << repeat
                << ",\"sent\":" << r.sent << ",\"shown\":" << r.shown
                << ",\"out_of_order\":" << r.outOfOrder << ",\"p50_ms\":" << quantile(l, 0.5)
                << ",\"p90_ms\":" << quantile(l, 0.9) << ",\"p99_ms\":" << quantile(l, 0.99)
                << ",\"max_ms\":" << quantile(l, 1.0)
                << ",\"backlog_first_half\":" << r.backlogFirstHalf
                << ",\"backlog_second_half\":" << r.backlogSecondHalf
                << ",\"backlog_at_end\":" << std::max(0, r.backlogAtEnd)
                << ",\"seconds\":" << r.sendSeconds << "}" << std::endl;
            app.runFor(0.2);
        }
    }
    return 0;
}

}  // namespace bench
