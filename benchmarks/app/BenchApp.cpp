#include "app/BenchApp.h"

#include <QEventLoop>
#include <QTimer>
#include <fstream>
#include <string>

#include "base/Log.h"
#include "chair/StandInChair.h"
#include "link/EADSessionController.h"
#include "main/AppDelegate.h"
#include "main/RootViewController.h"
#include "main/ViewTags.h"
#include "main/toolkit/InProcessVolume.h"
#include "main/toolkit/Tag.h"

namespace bench {

bool WatchedApplication::notify(QObject* receiver, QEvent* event) {
    const std::int64_t began = nowNs();
    // A deferred delete ends its receiver, and the event goes with it.
    const bool deletes = event->type() == QEvent::DeferredDelete;
    ++depth_;
    const bool handled = QApplication::notify(receiver, event);
    --depth_;
    if (watcher_ && !deletes) watcher_(receiver, event, began);
    return handled;
}

BenchApp::BenchApp(WatchedApplication& application, BenchAppOptions options)
    : application_(application),
      world_({clock_, main_, dispatch_, notifications_, scratch_.path() + "/user-defaults.ini",
              tk::Bundle::defaultDirectory(), tk::Screen::phone()}) {
    // The app logs every notification; formatted as ever, but not printed over the results.
    base::setLogSink([](const std::string&) {});
    if (options.english)
        world_.defaults().setInteger(panels::LanguageStore::kEnglish, "languageFlag");
    chair_ = chair::StandInChair::create(dispatch_, clock_, {.quiet = options.quietChair});
}

BenchApp::~BenchApp() {
    // The main screen holds on to the controller and the chair: it goes first.
    world_.close();
}

void BenchApp::launch() {
    world_.launch(
        "Massage chair remote (demo chair)",
        [this]() -> chairlink::EADSessionController& {
            controller_ =
                std::make_unique<chairlink::EADSessionController>(chairlink::LinkEnvironment{
                    dispatch_, clock_, notifications_, chair_->centralFactory()});
            return *controller_;
        },
        [] { return std::make_shared<tk::InProcessVolume>(); });
}

bool BenchApp::atLoopLevel() const {
    return application_.depth() == 0;
}

bool BenchApp::runUntil(const std::function<bool()>& done, double seconds,
                        const WatchedApplication::Watcher& watch) {
    if (done()) return true;
    QEventLoop loop;
    bool held = false;
    application_.setWatcher([&](QObject* receiver, QEvent* event, std::int64_t began) {
        if (watch) watch(receiver, event, began);
        if (!held && atLoopLevel() && done()) {
            held = true;
            loop.quit();
        }
    });
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    application_.setWatcher({});
    return held;
}

bool BenchApp::waitForMainScreen(double seconds) {
    return runUntil(
        [this] {
            return world_.launched() && root().viewWithTag(mainscreen::kPowerButtonTag) &&
                   controller_ && controller_->isConnected();
        },
        seconds);
}

mainscreen::RootViewController& BenchApp::root() {
    return world_.delegate().rootviewCtrl();
}

QWidget* BenchApp::window() {
    return root().view()->window();
}

Memory currentMemory() {
    Memory memory;
    std::ifstream status("/proc/self/status");
    std::string key;
    double kib = 0;
    while (status >> key) {
        if (key == "VmRSS:" && status >> kib) memory.residentMiB = kib / 1024;
        if (key == "VmHWM:" && status >> kib) memory.peakResidentMiB = kib / 1024;
    }
    return memory;
}

}  // namespace bench
