#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "MockBluez.h"
#include "base/ManualClock.h"
#include "base/SerialQueue.h"
#include "bluetooth/BluetoothThread.h"
#include "bluetooth/QtBleCentral.h"
#include "tests/link/RecordingCentralEvents.h"

namespace bluetooth::testing {

inline constexpr const char* kChairAddress = "C0:FF:EE:00:00:01";

using linktest::CentralEvent;
using linktest::isKind;
using linktest::Match;
using linktest::RecordingEvents;

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
