#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "bluetooth/CentralEventGate.h"
#include "link/BleCentral.h"

namespace bluetooth {

// What a central tells its client: the events, and the picture its queries answer from
// (manager state, the connected peripheral, the services found). Each report first brings the
// picture up to date and then posts the event, so a client that asks from inside the event
// sees what the event announced. Reports come from the Bluetooth thread; queries from any.
class CentralOutbox {
public:
    explicit CentralOutbox(std::shared_ptr<CentralEventGate> gate);

    // Queries; any thread.
    chairlink::ManagerState state() const;
    bool isConnected(const chairlink::PeripheralId& peripheral) const;
    std::optional<std::vector<chairlink::BleServiceInfo>> services(
        const chairlink::PeripheralId& peripheral) const;

    // Reports; Bluetooth thread.
    void stateChanged(chairlink::ManagerState state);
    void discovered(const chairlink::PeripheralId& peripheral,
                    const std::optional<std::string>& name, int rssi);
    void connected(const chairlink::PeripheralId& peripheral);
    void failedToConnect(const chairlink::PeripheralId& peripheral, const std::string& error);
    void disconnected(const chairlink::PeripheralId& peripheral, const chairlink::ErrorText& error);
    // The services found among those asked for (their characteristics not yet known).
    void servicesDiscovered(const chairlink::PeripheralId& peripheral,
                            const std::vector<std::string>& services,
                            const chairlink::ErrorText& error);
    // Adds the characteristics found to the service; an error adds nothing.
    void characteristicsDiscovered(const chairlink::PeripheralId& peripheral,
                                   const std::string& service,
                                   const std::vector<std::string>& characteristics,
                                   const chairlink::ErrorText& error);
    void writeTaken(const chairlink::PeripheralId& peripheral);
    void writeRefused(const chairlink::PeripheralId& peripheral, const std::string& error);
    // The ATT MTU of the connection, where Qt tells it (not on BlueZ's D-Bus backend).
    void mtuKnown(const chairlink::PeripheralId& peripheral, int mtu);
    std::optional<std::size_t> maximumWriteLength(const chairlink::PeripheralId& peripheral) const;
    void valueUpdated(const chairlink::PeripheralId& peripheral, const std::string& characteristic,
                      const chairlink::Bytes& value);
    void notificationStateChanged(const chairlink::PeripheralId& peripheral,
                                  const std::string& service, const std::string& characteristic,
                                  bool notifying, const chairlink::ErrorText& error);
    bool isNotifying(const std::string& service, const std::string& characteristic) const;

private:
    std::shared_ptr<CentralEventGate> gate_;
    mutable std::mutex mutex_;  // guards the picture below
    chairlink::ManagerState state_ = chairlink::ManagerState::Unknown;
    std::optional<chairlink::PeripheralId> connected_;
    std::optional<std::vector<chairlink::BleServiceInfo>> services_;
    std::optional<std::size_t> maximumWriteLength_;
};

}  // namespace bluetooth
