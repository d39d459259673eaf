#pragma once

#include <algorithm>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/SerialQueue.h"
#include "link/BleCentral.h"

namespace linktest {

// One central event as recorded, with the thread it arrived on.
struct CentralEvent {
    std::string kind{};  // the callback's name: "state", "discover", "connect", "fail", ...
    chairlink::PeripheralId peripheral{};
    std::optional<std::string> name{};
    int rssi = 0;
    chairlink::ManagerState state = chairlink::ManagerState::Unknown;
    std::string characteristic{};
    bool notifying = false;
    chairlink::ErrorText error{};
    bool onQueue = false;  // arrived on the queue given to start()
};

using Match = std::function<bool(const CentralEvent&)>;
inline Match isKind(const std::string& kind) {
    return [kind](const CentralEvent& e) { return e.kind == kind; };
}

// Records every event a central delivers and lets a test wait up to 5 s for them.
class RecordingEvents final : public chairlink::BleCentralEvents {
public:
    explicit RecordingEvents(std::shared_ptr<base::SerialQueue> queue) : queue_(std::move(queue)) {}
    using Id = chairlink::PeripheralId;
    using Error = chairlink::ErrorText;
    using S = std::string;

    // Runs on the delivering thread before each event is recorded, as a client's own code would.
    std::function<void(const CentralEvent&)> onEvent;

    // Every event recorded since the last take().
    std::vector<CentralEvent> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(events_, {});
    }
    // The first recorded event that matches.
    std::optional<CentralEvent> waitFor(const Match& match) {
        if (!waitForCount(match, 1)) return std::nullopt;
        return matching(match).front();
    }
    std::optional<CentralEvent> waitFor(const S& kind) { return waitFor(isKind(kind)); }
    bool waitForCount(const Match& match, std::size_t n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] {
            return std::count_if(events_.begin(), events_.end(), match) >= std::ptrdiff_t(n);
        });
    }
    std::vector<CentralEvent> matching(const Match& match = {}) const {
        std::lock_guard lock(mutex_);
        std::vector<CentralEvent> result;
        std::copy_if(events_.begin(), events_.end(), std::back_inserter(result),
                     [&](const CentralEvent& e) { return !match || match(e); });
        return result;
    }

    void centralStateChanged(chairlink::ManagerState s) override {
        record({.kind = "state", .state = s});
    }
    void didDiscover(const Id& p, const std::optional<S>& name, int rssi) override {
        record({.kind = "discover", .peripheral = p, .name = name, .rssi = rssi});
    }
    void didConnect(const Id& p) override { record({.kind = "connect", .peripheral = p}); }
    void didFailToConnect(const Id& p, const S& e) override {
        record({.kind = "fail", .peripheral = p, .error = e});
    }
    void didDisconnect(const Id& p, const Error& e) override {
        record({.kind = "disconnect", .peripheral = p, .error = e});
    }
    void didDiscoverServices(const Id& p, const Error& e) override {
        record({.kind = "services", .peripheral = p, .error = e});
    }
    void didDiscoverCharacteristics(const Id& p, const S&, const Error& e) override {
        record({.kind = "characteristics", .peripheral = p, .error = e});
    }
    void didUpdateValue(const Id& p, const S& c, const chairlink::Bytes&, const Error& e) override {
        record({.kind = "value", .peripheral = p, .characteristic = c, .error = e});
    }
    void didUpdateNotificationState(const Id& p, const S& c, bool on, const Error& e) override {
        record(
            {.kind = "notify", .peripheral = p, .characteristic = c, .notifying = on, .error = e});
    }
    void didFailToWriteWithoutResponse(const Id& p, const S& e) override {
        record({.kind = "refused", .peripheral = p, .error = e});
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

}  // namespace linktest
