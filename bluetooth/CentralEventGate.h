#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "base/SerialQueue.h"
#include "link/BleCentral.h"

namespace bluetooth {

// Carries a central's events to its client's serial queue and shuts them off for good.
// post() never waits for a delivery, so the Bluetooth thread cannot be held up by a client
// that is busy (or that is tearing down the central from inside an event).
class CentralEventGate : public std::enable_shared_from_this<CentralEventGate> {
public:
    using Event = std::function<void(chairlink::BleCentralEvents&)>;

    static std::shared_ptr<CentralEventGate> make();

    // Any thread. Events posted before open() are dropped.
    void open(chairlink::BleCentralEvents& events, std::shared_ptr<base::SerialQueue> queue);
    // Any thread. Once this returns no event reaches the listener; a delivery under way on
    // another thread is waited for, one under way on this thread (close() from inside an
    // event) finishes after close() returns.
    void close();
    // Any thread; events are delivered in the order they were posted.
    void post(Event event);

private:
    CentralEventGate() = default;
    void deliver(const Event& event);

    std::mutex queueMutex_;  // guards queue_
    std::shared_ptr<base::SerialQueue> queue_;
    // Held while an event runs, so close() can wait for it; recursive because the listener
    // may close the gate from inside an event.
    std::recursive_mutex deliveryMutex_;
    chairlink::BleCentralEvents* events_ = nullptr;
};

}  // namespace bluetooth
