#include "link/LinkStack.h"

#include <utility>

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

LinkStack::LinkStack(const LinkEnvironment& environment, FrameDrain::Decoder decoder)
    : controller_(std::make_unique<EADSessionController>(environment)),
      receiver_(std::make_unique<FrameReceiver>(*controller_, environment.dispatch,
                                                environment.notifications, std::move(decoder))) {}

LinkStack::~LinkStack() {
    receiver_.reset();
    controller_.reset();
}

}  // namespace chairlink
