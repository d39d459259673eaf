#include "bluetooth/CentralEventGate.h"

namespace bluetooth {

std::shared_ptr<CentralEventGate> CentralEventGate::make() {
    return std::shared_ptr<CentralEventGate>(new CentralEventGate());
}

void CentralEventGate::open(chairlink::BleCentralEvents& events,
                            std::shared_ptr<base::SerialQueue> queue) {
    {
        std::lock_guard delivery(deliveryMutex_);
        events_ = &events;
    }
    std::lock_guard lock(queueMutex_);
    queue_ = std::move(queue);
}

void CentralEventGate::close() {
    {
        std::lock_guard delivery(deliveryMutex_);
        events_ = nullptr;
    }
    // Dropping the queue also ends the cycle queue -> pending task -> gate -> queue.
    std::lock_guard lock(queueMutex_);
    queue_.reset();
}

void CentralEventGate::post(Event event) {
    std::lock_guard lock(queueMutex_);
    if (!queue_) return;
    // Client queue.
    queue_->async([self = shared_from_this(), event = std::move(event)] { self->deliver(event); });
}

void CentralEventGate::deliver(const Event& event) {
    std::lock_guard delivery(deliveryMutex_);
    if (events_) event(*events_);
}

}  // namespace bluetooth
