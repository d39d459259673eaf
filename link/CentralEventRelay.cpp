#include "link/CentralEventRelay.h"

#include "link/BLESocketClientImpl.h"

namespace chairlink {

void CentralEventRelay::centralStateChanged(ManagerState state) {
    if (auto client = client_.lock()) client->centralStateChanged(state);
}

void CentralEventRelay::didDiscover(const PeripheralId& peripheral,
                                    const std::optional<std::string>& name, int rssi) {
    if (auto client = client_.lock()) client->didDiscover(peripheral, name, rssi);
}

void CentralEventRelay::didConnect(const PeripheralId& peripheral) {
    if (auto client = client_.lock()) client->didConnect(peripheral);
}

void CentralEventRelay::didFailToConnect(const PeripheralId& peripheral, const std::string& error) {
    if (auto client = client_.lock()) client->didFailToConnect(peripheral, error);
}

void CentralEventRelay::didDisconnect(const PeripheralId& peripheral, const ErrorText&) {
    if (auto client = client_.lock()) client->didDisconnect(peripheral);
}

void CentralEventRelay::didDiscoverServices(const PeripheralId& peripheral,
                                            const ErrorText& error) {
    if (auto client = client_.lock()) client->didDiscoverServices(peripheral, error);
}

void CentralEventRelay::didDiscoverCharacteristics(const PeripheralId& peripheral,
                                                   const std::string& service,
                                                   const ErrorText& error) {
    if (auto client = client_.lock())
        client->didDiscoverCharacteristics(peripheral, service, error);
}

void CentralEventRelay::didUpdateValue(const PeripheralId&, const std::string&, const Bytes& value,
                                       const ErrorText& error) {
    if (auto client = client_.lock()) client->didUpdateValue(value, error);
}

void CentralEventRelay::didUpdateNotificationState(const PeripheralId& peripheral,
                                                   const std::string& characteristic,
                                                   bool notifying, const ErrorText& error) {
    if (auto client = client_.lock()) {
        client->didUpdateNotificationState(peripheral, characteristic, notifying, error);
    }
}

void CentralEventRelay::isReadyToSendWriteWithoutResponse(const PeripheralId& peripheral) {
    if (auto client = client_.lock()) client->isReadyToSendWriteWithoutResponse(peripheral);
}

void CentralEventRelay::didFailToWriteWithoutResponse(const PeripheralId& peripheral,
                                                      const std::string& error) {
    if (auto client = client_.lock()) client->didFailToWriteWithoutResponse(peripheral, error);
}

}  // namespace chairlink
