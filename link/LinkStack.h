#pragma once

#include <memory>

#include "base/Dispatch.h"
#include "base/NotificationCenter.h"
#include "link/EADSessionController.h"
#include "link/FrameDrain.h"
#include "link/LinkCapture.h"
#include "link/LinkEnvironment.h"

namespace chairlink {

// How frames come off the link: one drain run for every announcement that the session
// controller buffered data, as the app, its tools and the rigs all need it. Lives on the main
// thread, where the controller posts its announcements.
class FrameReceiver {
public:
    FrameReceiver(EADSessionController& controller, base::Dispatch& dispatch,
                  base::NotificationCenter& notifications, FrameDrain::Decoder decoder);
    // Stops listening first, so no run starts while the drain waits for the one under way.
    ~FrameReceiver();
    FrameReceiver(const FrameReceiver&) = delete;
    FrameReceiver& operator=(const FrameReceiver&) = delete;

    // Counts announcements instead of draining, so values pile up in the read buffer, until
    // release() starts one run for each. Main thread.
    void hold();
    void release();

private:
    void announced();  // main thread

    FrameDrain drain_;
    base::ObserverRegistration announcements_;
    bool holding_ = false;
    int held_ = 0;
};

// The link as the app wires it: a session controller over the environment's central and
// the receiver of its frames. Taken down receiver first, then the controller. With a capture,
// every value written to or notified by the chair is recorded in it.
class LinkStack {
public:
    LinkStack(const LinkEnvironment& environment, FrameDrain::Decoder decoder,
              std::shared_ptr<LinkCapture> capture = nullptr);
    ~LinkStack();
    LinkStack(const LinkStack&) = delete;
    LinkStack& operator=(const LinkStack&) = delete;

    EADSessionController& controller() { return *controller_; }
    FrameReceiver& receiver() { return *receiver_; }

private:
    std::unique_ptr<EADSessionController> controller_;
    std::unique_ptr<FrameReceiver> receiver_;
};

}  // namespace chairlink
