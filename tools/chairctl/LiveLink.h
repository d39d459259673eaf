#pragma once

#include <functional>
#include <memory>
#include <string>

#include "base/Dispatch.h"
#include "base/NotificationCenter.h"
#include "eventloop/QtClock.h"
#include "eventloop/QtMainThread.h"
#include "link/LinkStack.h"
#include "tools/chairctl/CentralChoice.h"

class QCoreApplication;

namespace chairctl {

// The app's link on real time: Qt's event loop as main thread and clock, the session
// controller and the drain, connected through the chosen central. Lives on the main thread.
class LiveLink {
public:
    // Main thread: called once per accepted status frame.
    using FrameHandler = std::function<void(const chairlink::Bytes& frame)>;
    // Main thread: called every tick until it returns false.
    using Tick = std::function<bool()>;
    // Main thread: called on every change of where the link stands.
    using LinkStateHandler = std::function<void(const chairlink::LinkState& state)>;

    // With a capture path, every value over the link is recorded there (btsnoop).
    LiveLink(const std::string& centralKind, FrameHandler onFrame,
             LinkStateHandler onLinkState = {}, const std::string& capturePath = {});
    ~LiveLink();
    LiveLink(const LiveLink&) = delete;
    LiveLink& operator=(const LiveLink&) = delete;

    // Empty when the link was built; else the reason, one line.
    const std::string& error() const { return error_; }
    chairlink::EADSessionController& controller() { return link_->controller(); }
    double now() const { return clock_.now(); }

    // Runs the event loop until `tick` returns false or the user interrupts (Ctrl-C).
    // Returns whether it was interrupted.
    bool run(const Tick& tick);

private:
    std::unique_ptr<QCoreApplication> app_;
    eventloop::QtMainThread main_;
    base::Dispatch dispatch_{main_};
    eventloop::QtClock clock_;
    base::NotificationCenter notifications_;
    std::string error_;
    ChosenCentral central_;
    std::unique_ptr<chairlink::LinkStack> link_;
    base::ObserverRegistration linkChanges_;
};

// "link: searching for the chair", "link: connected", "link: trying again in 2 s".
std::string describeLinkState(const chairlink::LinkState& state);

}  // namespace chairctl
