#pragma once

#include <QBluetoothAddress>
#include <QBluetoothDeviceDiscoveryAgent>
#include <QBluetoothDeviceInfo>
#include <QObject>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "bluetooth/CentralOutbox.h"

namespace bluetooth {

// LE discovery as the link's client wants it: peripherals advertising one service, each
// advertisement reported (an RSSI update counts as one when duplicates are asked for). Keeps
// what it heard of each peripheral so a connection can be made to it. Bluetooth thread only.
class AdvertisementScanner : public QObject {
    Q_OBJECT
public:
    // The value reported when the platform has no RSSI reading.
    static constexpr int kNoRssi = 127;

    AdvertisementScanner(const QBluetoothAddress& adapter, CentralOutbox& outbox,
                         QObject* parent = nullptr);

    // An empty service reports every peripheral.
    void start(const std::string& service, bool allowDuplicates);
    void stop();
    std::optional<QBluetoothDeviceInfo> peripheral(const chairlink::PeripheralId& id) const;

    static chairlink::PeripheralId peripheralId(const QBluetoothDeviceInfo& info);

private:
    void heard(const QBluetoothDeviceInfo& info);
    void failed(QBluetoothDeviceDiscoveryAgent::Error error);
    bool advertisesService(const QBluetoothDeviceInfo& info) const;

    CentralOutbox& outbox_;
    QBluetoothDeviceDiscoveryAgent* agent_;
    QBluetoothUuid service_;
    bool allowDuplicates_ = true;
    std::set<chairlink::PeripheralId> reported_;  // this scan's, for scans without duplicates
    std::map<chairlink::PeripheralId, QBluetoothDeviceInfo> heardOf_;
    std::optional<std::pair<chairlink::PeripheralId, int>> justDiscovered_;
};

}  // namespace bluetooth
