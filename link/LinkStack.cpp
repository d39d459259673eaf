#include "link/LinkStack.h"

#include <utility>

#include "link/CapturingCentral.h"

namespace chairlink {

FrameReceiver::FrameReceiver(EADSessionController& controller, base::Dispatch& dispatch,
                             base::NotificationCenter& notifications, FrameDrain::Decoder decoder)
    : drain_(controller, dispatch, std::move(decoder)),
      announcements_(notifications, notifications.addObserver(
                                        kDataReceivedNotification, nullptr,
                                        [this](const base::Notification&) { announced(); })) {}

FrameReceiver::~FrameReceiver() {
    announcements_.reset();
}

void FrameReceiver::hold() {
    holding_ = true;
}

void FrameReceiver::release() {
    holding_ = false;
    for (; held_ > 0; --held_) drain_.start();
}

void FrameReceiver::announced() {
    if (holding_) {
        ++held_;
    } else {
        drain_.start();
    }
}

namespace {

LinkEnvironment capturedEnvironment(LinkEnvironment environment,
                                    std::shared_ptr<LinkCapture> capture) {
    environment.centralFactory =
        capturingCentrals(std::move(environment.centralFactory), std::move(capture));
    return environment;
}

}  // namespace

LinkStack::LinkStack(const LinkEnvironment& environment, FrameDrain::Decoder decoder,
                     std::shared_ptr<LinkCapture> capture)
    : controller_(std::make_unique<EADSessionController>(
          capturedEnvironment(environment, std::move(capture)))),
      receiver_(std::make_unique<FrameReceiver>(*controller_, environment.dispatch,
                                                environment.notifications, std::move(decoder))) {}

LinkStack::~LinkStack() {
    receiver_.reset();
    controller_.reset();
}

}  // namespace chairlink
