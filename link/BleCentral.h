#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace base {
class SerialQueue;
}

namespace chairlink {

using Bytes = std::vector<std::uint8_t>;
// The platform's identifier of a peripheral (an address, or a UUID on some platforms).
using PeripheralId = std::string;
// Error texts are the platform's own description; no value means success.
using ErrorText = std::optional<std::string>;

enum class ManagerState { Unknown, PoweredOff, PoweredOn };

struct BleCharacteristicInfo {
    std::string uuid;  // e.g. "FFE1"
    bool notifying = false;
};

struct BleServiceInfo {
    std::string uuid;  // e.g. "FFE0"
    std::vector<BleCharacteristicInfo> characteristics;
};

// What a central reports. Every call arrives on the serial queue given to
// BleCentral::start, never on the caller's thread and never after stop() has returned.
class BleCentralEvents {
public:
    virtual ~BleCentralEvents() = default;

    virtual void centralStateChanged(ManagerState state) = 0;
    // One call per advertisement, duplicates included. An empty optional name means the
    // peripheral has none; rssi is 127 when the platform has no reading.
    virtual void didDiscover(const PeripheralId& peripheral, const std::optional<std::string>& name,
                             int rssi) = 0;
    virtual void didConnect(const PeripheralId& peripheral) = 0;
    virtual void didFailToConnect(const PeripheralId& peripheral, const std::string& error) = 0;
    virtual void didDisconnect(const PeripheralId& peripheral, const ErrorText& error) = 0;
    virtual void didDiscoverServices(const PeripheralId& peripheral, const ErrorText& error) = 0;
    // Once per discoverCharacteristics request.
    virtual void didDiscoverCharacteristics(const PeripheralId& peripheral,
                                            const std::string& service, const ErrorText& error) = 0;
    virtual void didUpdateValue(const PeripheralId& peripheral, const std::string& characteristic,
                                const Bytes& value, const ErrorText& error) = 0;
    virtual void didUpdateNotificationState(const PeripheralId& peripheral,
                                            const std::string& characteristic, bool notifying,
                                            const ErrorText& error) = 0;
    // Once for every writeWithoutResponse the central has handed to its stack, in the order
    // of the writes, so a sender can pace itself. A write it ignored is not reported.
    virtual void isReadyToSendWriteWithoutResponse(const PeripheralId& /*peripheral*/) {}
    // A write without response the central's stack refused (too long for the link's MTU, or
    // no longer possible); it is not reported taken.
    virtual void didFailToWriteWithoutResponse(const PeripheralId& /*peripheral*/,
                                               const std::string& /*error*/) {}
};

// The central role of a BLE stack, as much of it as the chair link uses. One central serves
// one client for one connection. Calls may come from any thread; the preconditions (a
// connected peripheral, a discovered characteristic) are checked by the client above, and a
// call that does not meet them is ignored here.
class BleCentral {
public:
    virtual ~BleCentral() = default;

    // Begins reporting to `events` on `queue`; the manager state follows as an event.
    virtual void start(BleCentralEvents& events, std::shared_ptr<base::SerialQueue> queue) = 0;
    // Ends all reporting; no event reaches the listener after this returns (unless called
    // from a task already running on the queue, which is the one exception it cannot wait for).
    virtual void stop() = 0;

    virtual ManagerState state() const = 0;
    virtual void scan(const std::string& service, bool allowDuplicates) = 0;
    virtual void stopScan() = 0;
    virtual void connect(const PeripheralId& peripheral) = 0;
    virtual void cancelConnection(const PeripheralId& peripheral) = 0;
    virtual bool isConnected(const PeripheralId& peripheral) const = 0;
    virtual void discoverServices(const PeripheralId& peripheral,
                                  const std::vector<std::string>& services) = 0;
    virtual void discoverCharacteristics(const PeripheralId& peripheral, const std::string& service,
                                         const std::vector<std::string>& characteristics) = 0;
    // The services found so far with their characteristics; no value before discovery.
    virtual std::optional<std::vector<BleServiceInfo>> services(
        const PeripheralId& peripheral) const = 0;
    virtual void setNotify(const PeripheralId& peripheral, const std::string& service,
                           const std::string& characteristic, bool enabled) = 0;
    virtual void writeWithoutResponse(const PeripheralId& peripheral, const std::string& service,
                                      const std::string& characteristic, const Bytes& value) = 0;
    // The longest value one write without response may carry on the connection (the ATT MTU
    // less 3); no value where the stack does not tell it.
    virtual std::optional<std::size_t> maximumWriteLength(
        const PeripheralId& /*peripheral*/) const {
        return std::nullopt;
    }
};

// Each new BLE client asks for a central of its own.
using BleCentralFactory = std::function<std::unique_ptr<BleCentral>()>;

}  // namespace chairlink
