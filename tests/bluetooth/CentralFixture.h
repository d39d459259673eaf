#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MockBluez.h"
#include "RecordingEvents.h"
#include "base/ManualClock.h"
#include "bluetooth/BluetoothThread.h"
#include "bluetooth/QtBleCentral.h"

namespace bluetooth::testing {

inline constexpr const char* kChairAddress = "C0:FF:EE:00:00:01";

// A Qt central against the mock BlueZ, its events recorded on a queue of the test's own.
// Skips (with the reason) where the mock cannot run.
class CentralFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new central with a queue and recorder of its own; the previous one is released.
    QtBleCentral& startCentral();
    // Scans for FFE0 and waits for the peripheral's first advertisement.
    ::testing::AssertionResult hear(const std::string& peripheral);
    // From a fresh central to a subscribed link: scan, connect, FFE0, FFE1 and FFE2, notify.
    ::testing::AssertionResult linkUp(const std::string& peripheral);

    base::ManualClock clock_;
    MockBluez* mock_ = nullptr;
    std::shared_ptr<BluetoothThread> thread_;
    std::shared_ptr<base::SerialQueue> queue_;
    std::unique_ptr<RecordingEvents> events_;
    std::unique_ptr<QtBleCentral> central_;
};

}  // namespace bluetooth::testing
