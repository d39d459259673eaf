#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "MockBluez.h"
#include "base/ManualClock.h"
#include "base/SerialQueue.h"
#include "bluetooth/BluetoothThread.h"
#include "bluetooth/QtBleCentral.h"

namespace bluetooth::testing {

inline constexpr const char* kChairAddress = "C0:FF:EE:00:00:01";

// One central event as recorded, with the thread it arrived on.
struct CentralEvent {
    std::string kind{};  // the callback's name: "state", "discover", "connect", "fail", ...
    chairlink::PeripheralId peripheral{};
    std::optional<std::string> name{};
    int rssi = 0;
    chairlink::ManagerState state = chairlink::ManagerState::Unknown;
    std::string service{}, characteristic{};
    chairlink::Bytes value{};
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

    // The first recorded event that matches.
    std::optional<CentralEvent> waitFor(const Match& match) {
        std::optional<CentralEvent> found;
        waitForCount(match, 1, &found);
        return found;
    }
    std::optional<CentralEvent> waitFor(const S& kind) { return waitFor(isKind(kind)); }
    bool waitForCount(const Match& match, std::size_t n, std::optional<CentralEvent>* first = {}) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] {
            std::size_t seen = 0;
            for (const auto& e : events_) {
                if (match(e) && !seen++ && first) *first = e;
            }
            return seen >= n;
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
    void didDiscoverCharacteristics(const Id& p, const S& s, const Error& e) override {
        record({.kind = "characteristics", .peripheral = p, .service = s, .error = e});
    }
    void didUpdateValue(const Id& p, const S& c, const chairlink::Bytes& v,
                        const Error& e) override {
        record({.kind = "value", .peripheral = p, .characteristic = c, .value = v, .error = e});
    }
    void didUpdateNotificationState(const Id& p, const S& c, bool on, const Error& e) override {
        record(
            {.kind = "notify", .peripheral = p, .characteristic = c, .notifying = on, .error = e});
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

inline ::testing::AssertionResult succeeded(const std::optional<CentralEvent>& event,
                                            const std::string& what) {
    if (!event) return ::testing::AssertionFailure() << "no " << what << " in time";
    if (event->error) return ::testing::AssertionFailure() << what << " failed: " << *event->error;
    if (!event->onQueue) return ::testing::AssertionFailure() << what << " arrived off the queue";
    return ::testing::AssertionSuccess();
}

// The mock BlueZ and a Bluetooth thread; skips (with the reason) where the mock cannot run.
class MockFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string whyNot;
        mock_ = MockBluez::instance(&whyNot);
        if (!mock_) GTEST_SKIP() << "Bluetooth end-to-end test skipped: " << whyNot;
        mock_->reset();
        thread_ = std::make_shared<BluetoothThread>();
    }

    base::ManualClock clock_;
    MockBluez* mock_ = nullptr;
    std::shared_ptr<BluetoothThread> thread_;
};

// A Qt central against the mock BlueZ, its events recorded on a queue of the test's own.
class CentralFixture : public MockFixture {
protected:
    void TearDown() override {
        central_.reset();
        thread_.reset();  // waits until the Qt objects are gone
    }

    // A new central with a queue and recorder of its own; the previous one is released.
    QtBleCentral& startCentral() {
        central_.reset();
        queue_ = std::make_shared<base::SerialQueue>("test.central");
        events_ = std::make_unique<RecordingEvents>(queue_);
        central_ = std::make_unique<QtBleCentral>(thread_, clock_);
        central_->start(*events_, queue_);
        return *central_;
    }
    static Match isDiscoveryOf(const std::string& peripheral) {
        return [peripheral](const CentralEvent& e) {
            return e.kind == "discover" && e.peripheral == peripheral;
        };
    }
    // Scans for FFE0 and waits for the peripheral's first advertisement.
    ::testing::AssertionResult hear(const std::string& peripheral) {
        central_->scan("FFE0", true);
        return succeeded(events_->waitFor(isDiscoveryOf(peripheral)), "advertisement");
    }
    // From a fresh central to a subscribed link: scan, connect, FFE0, FFE1 and FFE2, notify.
    ::testing::AssertionResult linkUp(const std::string& peripheral) {
        auto& central = startCentral();
        auto step = [&](const std::string& kind) {
            return succeeded(events_->waitFor([&](const CentralEvent& e) {
                return e.kind == kind && (e.kind == "fail" || e.peripheral == peripheral);
            }),
                             kind);
        };
        if (auto heard = hear(peripheral); !heard) return heard;
        central.stopScan();
        central.connect(peripheral);
        if (auto connected = step("connect"); !connected) return connected;
        central.discoverServices(peripheral, {"FFE0"});
        if (auto services = step("services"); !services) return services;
        central.discoverCharacteristics(peripheral, "FFE0", {"FFE1"});
        central.discoverCharacteristics(peripheral, "FFE0", {"FFE2"});
        if (!events_->waitForCount(isKind("characteristics"), 2))
            return ::testing::AssertionFailure() << "not one answer per characteristic request";
        for (const auto& answer : events_->matching(isKind("characteristics"))) {
            if (auto found = succeeded(answer, "characteristics"); !found) return found;
        }
        central.setNotify(peripheral, "FFE0", "FFE1", true);
        return step("notify");
    }

    std::shared_ptr<base::SerialQueue> queue_;
    std::unique_ptr<RecordingEvents> events_;
    std::unique_ptr<QtBleCentral> central_;
};

}  // namespace bluetooth::testing
