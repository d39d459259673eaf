#include "tools/chairctl/LiveLink.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <csignal>

namespace chairctl {

namespace {

constexpr int kTickMs = 20;

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) {
    interrupted = true;
}

// QCoreApplication keeps references to these for its whole life.
int appArgc = 1;
char appName[] = "chairctl";
char* appArgv[] = {appName, nullptr};

std::unique_ptr<QCoreApplication> makeApplication() {
    if (QCoreApplication::instance()) return nullptr;
    return std::make_unique<QCoreApplication>(appArgc, appArgv);
}

}  // namespace

LiveLink::LiveLink(const std::string& centralKind, FrameHandler onFrame) : app_(makeApplication()) {
    central_ = chooseCentral(centralKind, dispatch_, clock_, error_);
    if (!central_.factory) return;
    controller_ = std::make_unique<chairlink::EADSessionController>(
        chairlink::LinkEnvironment{dispatch_, clock_, notifications_, central_.factory});
    drain_ = std::make_unique<chairlink::FrameDrain>(*controller_, dispatch_, std::move(onFrame));
    // Main thread: one drain run per announcement, as the app does.
    announcements_ = base::ObserverRegistration(
        notifications_,
        notifications_.addObserver(chairlink::kDataReceivedNotification, nullptr,
                                   [this](const base::Notification&) { drain_->start(); }));
}

LiveLink::~LiveLink() {
    announcements_.reset();
    drain_.reset();
    controller_.reset();
    dispatch_.settle();
    // Hops still queued for the main thread point at what is gone; they are dropped with
    // the application and never run.
}

bool LiveLink::run(const Tick& tick) {
    interrupted = false;
    auto previous = std::signal(SIGINT, onInterrupt);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (interrupted || !tick()) QCoreApplication::quit();
    });
    timer.start(kTickMs);
    QCoreApplication::exec();
    std::signal(SIGINT, previous);
    return interrupted;
}

}  // namespace chairctl
