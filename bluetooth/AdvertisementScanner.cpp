#include "bluetooth/AdvertisementScanner.h"

#include "base/Log.h"
#include "bluetooth/BleUuid.h"

namespace bluetooth {

AdvertisementScanner::AdvertisementScanner(const QBluetoothAddress& adapter, CentralOutbox& outbox,
                                           QObject* parent)
    : QObject(parent), outbox_(outbox), agent_(new QBluetoothDeviceDiscoveryAgent(adapter, this)) {
    // Runs until stopped, like a CoreBluetooth scan.
    agent_->setLowEnergyDiscoveryTimeout(0);
    connect(agent_, &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, this,
            [this](const QBluetoothDeviceInfo& info) {
                heard(info);
                justDiscovered_ = {peripheralId(info), info.rssi()};
            });
    // Qt on BlueZ announces an RSSI change twice, as a discovery and as an update; other
    // backends only as an update. The update that repeats the discovery just made is dropped.
    connect(
        agent_, &QBluetoothDeviceDiscoveryAgent::deviceUpdated, this,
        [this](const QBluetoothDeviceInfo& info, QBluetoothDeviceInfo::Fields fields) {
            const bool repeat = justDiscovered_ == std::pair{peripheralId(info), int(info.rssi())};
            justDiscovered_.reset();
            if (fields.testFlag(QBluetoothDeviceInfo::Field::RSSI) && !repeat) heard(info);
        });
    connect(agent_, &QBluetoothDeviceDiscoveryAgent::errorOccurred, this,
            &AdvertisementScanner::failed);
}

void AdvertisementScanner::start(const std::string& service, bool allowDuplicates) {
    service_ = service.empty() ? QBluetoothUuid() : uuidFromText(service);
    allowDuplicates_ = allowDuplicates;
    reported_.clear();
    if (!agent_->isActive()) agent_->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
}

void AdvertisementScanner::stop() {
    if (agent_->isActive()) agent_->stop();
}

std::optional<QBluetoothDeviceInfo> AdvertisementScanner::peripheral(
    const chairlink::PeripheralId& id) const {
    auto found = heardOf_.find(id);
    if (found == heardOf_.end()) return std::nullopt;
    return found->second;
}

chairlink::PeripheralId AdvertisementScanner::peripheralId(const QBluetoothDeviceInfo& info) {
    // Apple's platforms hide addresses and name peripherals by UUID instead.
    if (!info.address().isNull()) return info.address().toString().toStdString();
    return info.deviceUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
}

void AdvertisementScanner::heard(const QBluetoothDeviceInfo& info) {
    if (!(info.coreConfigurations() & QBluetoothDeviceInfo::LowEnergyCoreConfiguration)) return;
    if (!advertisesService(info)) return;
    const chairlink::PeripheralId id = peripheralId(info);
    heardOf_[id] = info;
    if (!allowDuplicates_ && !reported_.insert(id).second) return;
    std::optional<std::string> name;
    // BlueZ shows a peripheral that sent no name under its address, dashed.
    const QString unnamed = info.address().toString().replace(u':', u'-');
    if (!info.name().isEmpty() && info.name() != unnamed) name = info.name().toStdString();
    // Qt on BlueZ reads a missing RSSI as 0; no real reading is that strong.
    const int rssi = info.rssi() >= 0 ? kNoRssi : info.rssi();
    outbox_.discovered(id, name, rssi);
}

void AdvertisementScanner::failed(QBluetoothDeviceDiscoveryAgent::Error) {
    base::log("Bluetooth scan error: " + agent_->errorString().toStdString());
}

bool AdvertisementScanner::advertisesService(const QBluetoothDeviceInfo& info) const {
    return service_.isNull() || info.serviceUuids().contains(service_);
}

}  // namespace bluetooth
