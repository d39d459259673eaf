#include "bluetooth/PeripheralLink.h"

#include <QMetaEnum>
#include <algorithm>

#include "base/Log.h"
#include "bluetooth/AdvertisementScanner.h"
#include "bluetooth/BleUuid.h"

namespace bluetooth {

namespace {

QLowEnergyController* makeController(const QBluetoothDeviceInfo& device,
                                     const QBluetoothAddress& adapter) {
    if (adapter.isNull()) return QLowEnergyController::createCentral(device);
    return QLowEnergyController::createCentral(device, adapter);
}

}  // namespace

PeripheralLink::PeripheralLink(const QBluetoothDeviceInfo& device, const QBluetoothAddress& adapter,
                               CentralOutbox& outbox, Owner owner, QObject* parent)
    : QObject(parent),
      peripheral_(AdvertisementScanner::peripheralId(device)),
      outbox_(outbox),
      owner_(std::move(owner)),
      controller_(makeController(device, adapter)) {
    connect(controller_.get(), &QLowEnergyController::connected, this, &PeripheralLink::connected);
    connect(controller_.get(), &QLowEnergyController::errorOccurred, this, &PeripheralLink::failed);
    connect(controller_.get(), &QLowEnergyController::disconnected, this,
            &PeripheralLink::disconnected);
    connect(controller_.get(), &QLowEnergyController::mtuChanged, this,
            [this](int mtu) { outbox_.mtuKnown(peripheral_, mtu); });
    connect(controller_.get(), &QLowEnergyController::discoveryFinished, this,
            &PeripheralLink::servicesFound);
}

PeripheralLink::~PeripheralLink() {
    controller_->disconnect(this);
    // Service objects first: they belong to the controller's connection.
    services_.clear();
    if (controller_->state() != QLowEnergyController::UnconnectedState)
        controller_->disconnectFromDevice();
}

void PeripheralLink::open() {
    if (phase_ != Phase::Idle) return;
    phase_ = Phase::Connecting;
    controller_->connectToDevice();
}

void PeripheralLink::giveUp(const std::string& reason) {
    if (phase_ != Phase::Connecting) return;
    controller_->disconnectFromDevice();
    outbox_.failedToConnect(peripheral_, reason);
    finish();
}

void PeripheralLink::cancel() {
    if (phase_ == Phase::Connecting) {
        controller_->disconnectFromDevice();
        finish();
    } else if (phase_ == Phase::Connected) {
        phase_ = Phase::Closing;
        controller_->disconnectFromDevice();
    }
}

void PeripheralLink::discoverServices(const std::vector<std::string>& wanted) {
    if (phase_ != Phase::Connected) return;
    wantedServices_.clear();
    for (const auto& text : wanted) wantedServices_.push_back(uuidText(uuidFromText(text)));
    if (servicesKnown_) {
        servicesFound();
    } else if (!findingServices_) {
        findingServices_ = true;
        controller_->discoverServices();
    }
}

void PeripheralLink::discoverCharacteristics(const std::string& service,
                                             const std::vector<std::string>& wanted) {
    if (phase_ != Phase::Connected) return;
    if (auto* found = this->service(service)) found->discoverCharacteristics(wanted);
}

void PeripheralLink::setNotify(const std::string& service, const std::string& characteristic,
                               bool enabled) {
    if (phase_ != Phase::Connected) return;
    if (auto* found = this->service(service)) found->setNotify(characteristic, enabled);
}

bool PeripheralLink::writeWithoutResponse(const std::string& service,
                                          const std::string& characteristic,
                                          const chairlink::Bytes& value) {
    if (phase_ != Phase::Connected) return false;
    auto* found = this->service(service);
    return found && found->writeWithoutResponse(characteristic, value);
}

// Qt on BlueZ says "connected" only once BlueZ has resolved the services.
void PeripheralLink::connected() {
    if (phase_ != Phase::Connecting) return;
    phase_ = Phase::Connected;
    if (owner_.connected) owner_.connected();
    outbox_.connected(peripheral_);
    outbox_.mtuKnown(peripheral_, controller_->mtu());
}

void PeripheralLink::failed(QLowEnergyController::Error) {
    const std::string text = errorText();
    switch (phase_) {
        case Phase::Connecting:
            outbox_.failedToConnect(peripheral_, text);
            finish();
            break;
        case Phase::Connected:
            if (findingServices_) {
                findingServices_ = false;
                outbox_.servicesDiscovered(peripheral_, {}, text);
                break;
            }
            [[fallthrough]];
        case Phase::Closing:
            lastError_ = text;
            base::log("Bluetooth link error: " + text);
            break;
        default:
            break;
    }
}

void PeripheralLink::disconnected() {
    if (phase_ == Phase::Connecting) {
        outbox_.failedToConnect(peripheral_,
                                lastError_.empty() ? "The peripheral disconnected" : lastError_);
    } else if (phase_ == Phase::Connected || phase_ == Phase::Closing) {
        chairlink::ErrorText error;
        // A loss that Qt gave no reason for still is an unexpected one.
        if (phase_ == Phase::Connected)
            error = lastError_.empty() ? "The link was lost" : lastError_;
        outbox_.disconnected(peripheral_, error);
    } else {
        return;
    }
    finish();
}

void PeripheralLink::servicesFound() {
    if (phase_ != Phase::Connected) return;
    findingServices_ = false;
    servicesKnown_ = true;
    std::vector<std::string> found;
    for (const auto& uuid : controller_->services()) {
        const std::string text = uuidText(uuid);
        const bool wanted = wantedServices_.empty() ||
                            std::find(wantedServices_.begin(), wantedServices_.end(), text) !=
                                wantedServices_.end();
        if (wanted) found.push_back(text);
    }
    outbox_.servicesDiscovered(peripheral_, found, std::nullopt);
}

void PeripheralLink::finish() {
    phase_ = Phase::Over;
    if (owner_.ended) owner_.ended();
}

GattServiceLink* PeripheralLink::service(const std::string& uuid) {
    const std::string key = uuidText(uuidFromText(uuid));
    auto known = services_.find(key);
    if (known != services_.end()) return known->second.get();
    if (!servicesKnown_) return nullptr;
    QLowEnergyService* created = controller_->createServiceObject(uuidFromText(key));
    if (!created) return nullptr;  // not a service of this peripheral
    auto link = std::make_unique<GattServiceLink>(created, peripheral_, outbox_);
    auto* raw = link.get();
    services_.emplace(key, std::move(link));
    return raw;
}

std::string PeripheralLink::errorText() const {
    const QString text = controller_->errorString();
    if (!text.isEmpty()) return text.toStdString();
    const char* key =
        QMetaEnum::fromType<QLowEnergyController::Error>().valueToKey(controller_->error());
    return key ? key : "UnknownError";
}

}  // namespace bluetooth
