#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/SerialQueue.h"
#include "link/BleCentral.h"

namespace bluetooth::testing {

// One central event as recorded, with the thread it arrived on.
struct CentralEvent {
    std::string kind{};  // "state", "discover", "connect", "fail", "disconnect", "services",
                         // "characteristics", "value", "notify"
    chairlink::PeripheralId peripheral{};
    std::optional<std::string> name{};  // discover
    int rssi = 0;                       // discover
    chairlink::ManagerState state = chairlink::ManagerState::Unknown;
    std::string service{};         // characteristics
    std::string characteristic{};  // value, notify
    chairlink::Bytes value{};      // value
    bool notifying = false;        // notify
    chairlink::ErrorText error{};
    bool onQueue = false;  // arrived on the queue given to start()
};

using Match = std::function<bool(const CentralEvent&)>;
inline Match isKind(const std::string& kind) {
    return [kind](const CentralEvent& e) { return e.kind == kind; };
}

// Records every event a central delivers and lets a test wait up to 5 s for one.
class RecordingEvents final : public chairlink::BleCentralEvents {
public:
    explicit RecordingEvents(std::shared_ptr<base::SerialQueue> queue) : queue_(std::move(queue)) {}
    using Id = chairlink::PeripheralId;
    using Error = chairlink::ErrorText;
    using Bytes = chairlink::Bytes;

    // Runs on the delivering thread before each event is recorded, as a client's own code would.
    std::function<void(const CentralEvent&)> onEvent;

    // The first recorded event that matches.
    std::optional<CentralEvent> waitFor(const Match& match) {
        std::unique_lock lock(mutex_);
        std::optional<CentralEvent> found;
        changed_.wait_for(lock, std::chrono::seconds(5), [&] {
            auto it = std::find_if(events_.begin(), events_.end(), match);
            if (it != events_.end()) found = *it;
            return found.has_value();
        });
        return found;
    }
    std::optional<CentralEvent> waitFor(const std::string& kind) { return waitFor(isKind(kind)); }
    // Whether `n` recorded events match within the time.
    bool waitForCount(const Match& match, std::size_t n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] {
            return std::size_t(std::count_if(events_.begin(), events_.end(), match)) >= n;
        });
    }
    std::vector<CentralEvent> matching(const Match& match = {}) const {
        std::lock_guard lock(mutex_);
        std::vector<CentralEvent> result;
        for (const auto& e : events_) {
            if (!match || match(e)) result.push_back(e);
        }
        return result;
    }
    std::size_t count() const { return matching().size(); }

    void centralStateChanged(chairlink::ManagerState state) override {
        record({.kind = "state", .state = state});
    }
    void didDiscover(const Id& p, const std::optional<std::string>& name, int rssi) override {
        record({.kind = "discover", .peripheral = p, .name = name, .rssi = rssi});
    }
    void didConnect(const Id& p) override { record({.kind = "connect", .peripheral = p}); }
    void didFailToConnect(const Id& p, const std::string& error) override {
        record({.kind = "fail", .peripheral = p, .error = error});
    }
    void didDisconnect(const Id& p, const Error& error) override {
        record({.kind = "disconnect", .peripheral = p, .error = error});
    }
    void didDiscoverServices(const Id& p, const Error& error) override {
        record({.kind = "services", .peripheral = p, .error = error});
    }
    void didDiscoverCharacteristics(const Id& p, const std::string& service,
                                    const Error& error) override {
        record({.kind = "characteristics", .peripheral = p, .service = service, .error = error});
    }
    void didUpdateValue(const Id& p, const std::string& c, const Bytes& value,
                        const Error& error) override {
        record({.kind = "value",
                .peripheral = p,
                .characteristic = c,
                .value = value,
                .error = error});
    }
    void didUpdateNotificationState(const Id& p, const std::string& c, bool on,
                                    const Error& error) override {
        record({.kind = "notify",
                .peripheral = p,
                .characteristic = c,
                .notifying = on,
                .error = error});
    }

private:
    void record(CentralEvent event) {
        event.onQueue = queue_->isCurrent();
        if (onEvent) onEvent(event);
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(event));
        }
        changed_.notify_all();
    }

    std::shared_ptr<base::SerialQueue> queue_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<CentralEvent> events_;
};

}  // namespace bluetooth::testing
