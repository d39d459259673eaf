#pragma once

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

// Records every event a central delivers and lets a test wait for one with a deadline.
class RecordingEvents final : public chairlink::BleCentralEvents {
public:
    explicit RecordingEvents(std::shared_ptr<base::SerialQueue> queue) : queue_(std::move(queue)) {}

    using Match = std::function<bool(const CentralEvent&)>;

    // The first recorded event from `from` on that matches, waiting up to `timeout`.
    std::optional<CentralEvent> waitFor(const Match& match,
                                        std::chrono::milliseconds timeout = std::chrono::seconds(5),
                                        std::size_t from = 0);
    std::optional<CentralEvent> waitFor(
        const std::string& kind, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Whether `n` recorded events match within `timeout`.
    bool waitForCount(const Match& match, std::size_t n,
                      std::chrono::milliseconds timeout = std::chrono::seconds(5));
    std::vector<CentralEvent> matching(const Match& match) const;
    std::vector<CentralEvent> events() const;
    std::size_t count() const;

    void centralStateChanged(chairlink::ManagerState state) override;
    void didDiscover(const chairlink::PeripheralId& peripheral,
                     const std::optional<std::string>& name, int rssi) override;
    void didConnect(const chairlink::PeripheralId& peripheral) override;
    void didFailToConnect(const chairlink::PeripheralId& peripheral,
                          const std::string& error) override;
    void didDisconnect(const chairlink::PeripheralId& peripheral,
                       const chairlink::ErrorText& error) override;
    void didDiscoverServices(const chairlink::PeripheralId& peripheral,
                             const chairlink::ErrorText& error) override;
    void didDiscoverCharacteristics(const chairlink::PeripheralId& peripheral,
                                    const std::string& service,
                                    const chairlink::ErrorText& error) override;
    void didUpdateValue(const chairlink::PeripheralId& peripheral,
                        const std::string& characteristic, const chairlink::Bytes& value,
                        const chairlink::ErrorText& error) override;
    void didUpdateNotificationState(const chairlink::PeripheralId& peripheral,
                                    const std::string& characteristic, bool notifying,
                                    const chairlink::ErrorText& error) override;

private:
    void record(CentralEvent event);

    std::shared_ptr<base::SerialQueue> queue_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<CentralEvent> events_;
};

}  // namespace bluetooth::testing
