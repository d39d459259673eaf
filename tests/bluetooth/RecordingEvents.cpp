#include "RecordingEvents.h"

#include <algorithm>
#include <iterator>

namespace bluetooth::testing {

std::optional<CentralEvent> RecordingEvents::waitFor(const Match& match,
                                                     std::chrono::milliseconds timeout,
                                                     std::size_t from) {
    std::unique_lock lock(mutex_);
    std::optional<CentralEvent> found;
    changed_.wait_for(lock, timeout, [&] {
        for (std::size_t i = from; i < events_.size(); ++i) {
            if (match(events_[i])) {
                found = events_[i];
                return true;
            }
        }
        return false;
    });
    return found;
}

std::optional<CentralEvent> RecordingEvents::waitFor(const std::string& kind,
                                                     std::chrono::milliseconds timeout) {
    return waitFor([&](const CentralEvent& e) { return e.kind == kind; }, timeout);
}

bool RecordingEvents::waitForCount(const Match& match, std::size_t n,
                                   std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        return std::size_t(std::count_if(events_.begin(), events_.end(), match)) >= n;
    });
}

std::vector<CentralEvent> RecordingEvents::matching(const Match& match) const {
    std::lock_guard lock(mutex_);
    std::vector<CentralEvent> result;
    std::copy_if(events_.begin(), events_.end(), std::back_inserter(result), match);
    return result;
}

std::vector<CentralEvent> RecordingEvents::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::size_t RecordingEvents::count() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

void RecordingEvents::record(CentralEvent event) {
    event.onQueue = queue_->isCurrent();
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    changed_.notify_all();
}

void RecordingEvents::centralStateChanged(chairlink::ManagerState state) {
    record({.kind = "state", .state = state});
}

void RecordingEvents::didDiscover(const chairlink::PeripheralId& peripheral,
                                  const std::optional<std::string>& name, int rssi) {
    record({.kind = "discover", .peripheral = peripheral, .name = name, .rssi = rssi});
}

void RecordingEvents::didConnect(const chairlink::PeripheralId& peripheral) {
    record({.kind = "connect", .peripheral = peripheral});
}

void RecordingEvents::didFailToConnect(const chairlink::PeripheralId& peripheral,
                                       const std::string& error) {
    record({.kind = "fail", .peripheral = peripheral, .error = error});
}

void RecordingEvents::didDisconnect(const chairlink::PeripheralId& peripheral,
                                    const chairlink::ErrorText& error) {
    record({.kind = "disconnect", .peripheral = peripheral, .error = error});
}

void RecordingEvents::didDiscoverServices(const chairlink::PeripheralId& peripheral,
                                          const chairlink::ErrorText& error) {
    record({.kind = "services", .peripheral = peripheral, .error = error});
}

void RecordingEvents::didDiscoverCharacteristics(const chairlink::PeripheralId& peripheral,
                                                 const std::string& service,
                                                 const chairlink::ErrorText& error) {
    record(
        {.kind = "characteristics", .peripheral = peripheral, .service = service, .error = error});
}

void RecordingEvents::didUpdateValue(const chairlink::PeripheralId& peripheral,
                                     const std::string& characteristic,
                                     const chairlink::Bytes& value,
                                     const chairlink::ErrorText& error) {
    record({.kind = "value",
            .peripheral = peripheral,
            .characteristic = characteristic,
            .value = value,
            .error = error});
}

void RecordingEvents::didUpdateNotificationState(const chairlink::PeripheralId& peripheral,
                                                 const std::string& characteristic, bool notifying,
                                                 const chairlink::ErrorText& error) {
    record({.kind = "notify",
            .peripheral = peripheral,
            .characteristic = characteristic,
            .notifying = notifying,
            .error = error});
}

}  // namespace bluetooth::testing
