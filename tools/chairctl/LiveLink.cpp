#include "tools/chairctl/LiveLink.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>

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

LiveLink::LiveLink(const std::string& centralKind, FrameHandler onFrame,
                   LinkStateHandler onLinkState, const std::string& capturePath)
    : app_(makeApplication()) {
    central_ = chooseCentral(centralKind, dispatch_, clock_, error_);
    if (!central_.factory) return;
    std::shared_ptr<chairlink::LinkCapture> capture;
    if (!capturePath.empty()) {
        capture = chairlink::LinkCapture::open(capturePath, clock_, error_);
        if (!capture) return;
    }
    if (onLinkState) {
        // Before the controller exists, so its first report is heard. Any thread, then the
        // main thread.
        linkChanges_ = base::ObserverRegistration(
            notifications_,
            notifications_.addObserver(
                chairlink::kLinkStateNotification, nullptr,
                [this, onLinkState](const base::Notification& n) {
                    const auto state =
                        static_cast<const chairlink::EADSessionController*>(n.object)->linkState();
                    dispatch_.main().post([onLinkState, state] { onLinkState(state); });
                }));
    }
    link_ = std::make_unique<chairlink::LinkStack>(
        chairlink::LinkEnvironment{dispatch_, clock_, notifications_, central_.factory},
        std::move(onFrame), std::move(capture));
}

LiveLink::~LiveLink() {
    linkChanges_.reset();
    link_.reset();
    dispatch_.settle();
    // Hops still queued for the main thread point at what is gone; they are dropped with
    // the application and never run.
}

std::string describeLinkState(const chairlink::LinkState& state) {
    switch (state.phase) {
        case chairlink::LinkState::Phase::Connected:
            return "link: connected";
        case chairlink::LinkState::Phase::Retrying: {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%g", state.retryWait);
            return std::string("link: trying again in ") + seconds + " s";
        }
        case chairlink::LinkState::Phase::Searching:
            break;
    }
    return "link: searching for the chair";
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
