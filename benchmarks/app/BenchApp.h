#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/AppWorld.h"
#include "base/Dispatch.h"
#include "base/NotificationCenter.h"
#include "eventloop/QtClock.h"
#include "eventloop/QtMainThread.h"

namespace chair {
class StandInChair;
}
namespace chairlink {
class EADSessionController;
}
namespace mainscreen {
class AppDelegate;
class RootViewController;
}  // namespace mainscreen

namespace bench {

// Nanoseconds on the monotonic clock, comparable across threads and processes.
inline std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A Qt application that tells a watcher about every event once it has been delivered (but a
// deferred delete, whose receiver is gone), with when its delivery began.
class WatchedApplication : public QApplication {
public:
    using Watcher = std::function<void(QObject* receiver, QEvent* event, std::int64_t beganNs)>;

    WatchedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
    void setWatcher(Watcher watcher) { watcher_ = std::move(watcher); }
    // Events delivered while another is being handled (a paint inside a repaint, a polish
    // while a screen is built) are nested; the loop's own events are at depth 0.
    int depth() const { return depth_; }

private:
    Watcher watcher_;
    int depth_ = 0;
};

struct BenchAppOptions {
    // A quiet stand-in chair sends only what it is told to; otherwise it behaves as a chair.
    bool quietChair = true;
    bool english = false;
};

// The app's world as main() starts it, on Qt's real event loop and clock, offscreen, with
// the stand-in chair and a session controller of its own.
class BenchApp {
public:
    BenchApp(WatchedApplication& application, BenchAppOptions options);
    ~BenchApp();
    BenchApp(const BenchApp&) = delete;
    BenchApp& operator=(const BenchApp&) = delete;

    // The window shows with the logo; the main screen follows after the logo's time.
    void launch();
    // Runs the event loop until `done` holds after one of the loop's own events, or the time
    // is up; whether it held. `watch` sees every event first, nested ones too.
    bool runUntil(const std::function<bool()>& done, double seconds,
                  const WatchedApplication::Watcher& watch = {});
    void runFor(double seconds) {
        runUntil([] { return false; }, seconds);
    }
    // Whether the event just delivered was one of the loop's own, not one inside another.
    bool atLoopLevel() const;
    // Waits for the main screen and the link to the chair.
    bool waitForMainScreen(double seconds);

    mainscreen::RootViewController& root();
    QWidget* window();
    chair::StandInChair& chair() { return *chair_; }
    chairlink::EADSessionController* controller() { return controller_.get(); }

private:
    WatchedApplication& application_;
    QTemporaryDir scratch_;
    eventloop::QtClock clock_;
    eventloop::QtMainThread main_;
    base::Dispatch dispatch_{main_};
    base::NotificationCenter notifications_;
    app::AppWorld world_;
    std::shared_ptr<chair::StandInChair> chair_;
    std::unique_ptr<chairlink::EADSessionController> controller_;
};

// What the process holds now and at most, from /proc/self/status, in MiB.
struct Memory {
    double residentMiB = 0;
    double peakResidentMiB = 0;
};
Memory currentMemory();

}  // namespace bench
