#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "link/BleCentral.h"

namespace linktest {

using chairlink::Bytes;
using chairlink::PeripheralId;

// One advertiser the fake radio knows, with its faults.
struct FakePeripheral {
    PeripheralId id = {};
    std::optional<std::string> name = {};
    int rssi = -50;
    bool refuseConnection = false;
    std::optional<std::string> serviceError = {};
    std::optional<std::string> characteristicError = {};
};

class FakeCentral;

// The air between the clients' centrals and the simulated peripherals. Every client gets a
// central of its own from factory(); the radio records what they all write to FFE2, the only
// characteristic the chair takes writes on, connected or not. The drivers act on the newest
// central, and do nothing once it is gone.
class FakeRadio {
public:
    // While held, a connection request waits until releaseConnection().
    std::atomic<bool> holdConnections{false};
    // While withheld, "write taken" reports wait until releaseWriteReports().
    std::atomic<bool> withholdWriteReports{false};
    // Writes longer than this are refused (0: none); told as the longest write when asked.
    std::atomic<std::size_t> writeLimit{0};
    std::atomic<bool> tellsWriteLimit{false};

    chairlink::BleCentralFactory factory();
    void addPeripheral(FakePeripheral peripheral) {
        locked([&] { peripherals_.push_back(peripheral); });
    }
    void clearPeripherals() {
        locked([&] { peripherals_.clear(); });
    }

    void releaseConnection();
    void notify(const Bytes& value);  // a value on FFE1
    void dropLink();
    void releaseWriteReports();

    std::vector<Bytes> writtenValues() const {
        return locked([&] { return writes_; });
    }
    void clearWrites() {
        locked([&] { writes_.clear(); });
    }
    std::vector<std::string> connectAttempts() const {
        return locked([&] { return connects_; });
    }
    int centralsMade() const { return made_; }

private:
    friend class FakeCentral;
    template <typename F>
    auto locked(F f) const -> decltype(f()) {
        std::lock_guard lock(mutex_);
        return f();
    }
    template <typename Drive>
    void driveNewest(Drive drive);

    mutable std::mutex mutex_;
    std::vector<FakePeripheral> peripherals_;
    std::vector<Bytes> writes_;
    std::vector<std::string> connects_;
    std::atomic<int> made_{0};
    // Held while a driver runs, so the newest central cannot go away under it.
    std::mutex newestMutex_;
    FakeCentral* newest_ = nullptr;
};

}  // namespace linktest
