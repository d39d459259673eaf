#pragma once

#include <memory>

#include "link/BleCentral.h"

namespace chairlink {

class BLESocketClientImpl;

// Passes central events to a client that may have been released meanwhile. Holding the client
// for the length of each event lets the client be released from inside one of its callbacks
// (the "RECONNECT" rebuild does exactly that). Runs on the client's queue.
class CentralEventRelay final : public BleCentralEvents {
public:
    explicit CentralEventRelay(std::weak_ptr<BLESocketClientImpl> client)
        : client_(std::move(client)) {}

    void centralStateChanged(ManagerState state) override;
    void didDiscover(const PeripheralId& peripheral, const std::optional<std::string>& name,
                     int rssi) override;
    void didConnect(const PeripheralId& peripheral) override;
    void didFailToConnect(const PeripheralId& peripheral, const std::string& error) override;
    void didDisconnect(const PeripheralId& peripheral, const ErrorText& error) override;
    void didDiscoverServices(const PeripheralId& peripheral, const ErrorText& error) override;
    void didDiscoverCharacteristics(const PeripheralId& peripheral, const std::string& service,
                                    const ErrorText& error) override;
    void didUpdateValue(const PeripheralId& peripheral, const std::string& characteristic,
                        const Bytes& value, const ErrorText& error) override;
    void didUpdateNotificationState(const PeripheralId& peripheral,
                                    const std::string& characteristic, bool notifying,
                                    const ErrorText& error) override;
    void isReadyToSendWriteWithoutResponse(const PeripheralId& peripheral) override;
    void didFailToWriteWithoutResponse(const PeripheralId& peripheral,
                                       const std::string& error) override;

private:
    std::weak_ptr<BLESocketClientImpl> client_;
};

}  // namespace chairlink
