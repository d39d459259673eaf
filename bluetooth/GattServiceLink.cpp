#include "bluetooth/GattServiceLink.h"

#include <QMetaEnum>
#include <algorithm>
#include <utility>

#include "base/Log.h"
#include "bluetooth/BleUuid.h"

namespace bluetooth {

using chairlink::Bytes;
using chairlink::ErrorText;

namespace {

bool enablesNotifications(const QByteArray& clientConfiguration) {
    // Bit 0 notifications, bit 1 indications (little-endian 16-bit value).
    return !clientConfiguration.isEmpty() && (clientConfiguration.at(0) & 0x03) != 0;
}

}  // namespace

GattServiceLink::GattServiceLink(QLowEnergyService* service, chairlink::PeripheralId peripheral,
                                 CentralOutbox& outbox, QObject* parent)
    : QObject(parent),
      service_(service),
      peripheral_(std::move(peripheral)),
      uuid_(uuidText(service->serviceUuid())),
      outbox_(outbox) {
    service_->setParent(nullptr);
    connect(service, &QLowEnergyService::stateChanged, this, &GattServiceLink::stateChanged);
    connect(service, &QLowEnergyService::descriptorWritten, this,
            &GattServiceLink::descriptorWritten);
    connect(service, &QLowEnergyService::errorOccurred, this, &GattServiceLink::failed);
    connect(service, &QLowEnergyService::descriptorRead, this,
            [this](const QLowEnergyDescriptor& descriptor, const QByteArray&) {
                if (!fences_.empty() && descriptor == fence_) fenceAnswered();
            });
    connect(service, &QLowEnergyService::characteristicChanged, this,
            [this](const QLowEnergyCharacteristic& characteristic, const QByteArray& value) {
                outbox_.valueUpdated(peripheral_, uuidText(characteristic.uuid()),
                                     Bytes(value.begin(), value.end()));
            });
}

GattServiceLink::~GattServiceLink() {
    service_->disconnect(this);
}

std::string GattServiceLink::errorText(QLowEnergyService::ServiceError error) {
    const char* key = QMetaEnum::fromType<QLowEnergyService::ServiceError>().valueToKey(error);
    return key ? key : "UnknownError";
}

void GattServiceLink::discoverCharacteristics(const std::vector<std::string>& wanted) {
    if (service_->state() == QLowEnergyService::RemoteServiceDiscovered) {
        outbox_.characteristicsDiscovered(peripheral_, uuid_, found(wanted), std::nullopt);
        return;
    }
    characteristicRequests_.push_back(wanted);
    // The values are not needed, and reading them could fail on a chair that refuses reads.
    if (service_->state() == QLowEnergyService::RemoteService)
        service_->discoverDetails(QLowEnergyService::SkipValueDiscovery);
}

void GattServiceLink::setNotify(const std::string& characteristic, bool enabled) {
    const QLowEnergyCharacteristic target = service_->characteristic(uuidFromText(characteristic));
    if (!target.isValid()) return;  // not discovered: the client's precondition
    const QLowEnergyDescriptor configuration = target.clientCharacteristicConfiguration();
    if (!configuration.isValid()) {
        notificationRefused(characteristic, "The characteristic has no client configuration");
        return;
    }
    notifyRequests_.push_back({characteristic, enabled});
    // On BlueZ, Qt turns this write into StartNotify / StopNotify.
    service_->writeDescriptor(configuration, enabled
                                                 ? QLowEnergyCharacteristic::CCCDEnableNotification
                                                 : QLowEnergyCharacteristic::CCCDDisable);
}

bool GattServiceLink::writeWithoutResponse(const std::string& characteristic, const Bytes& value) {
    const QLowEnergyCharacteristic target = service_->characteristic(uuidFromText(characteristic));
    if (!target.isValid()) return false;  // not discovered: the client's precondition
    // One write, never split: Qt queues it behind earlier ones and sends the next when BlueZ
    // has taken this one. No answer comes back for this kind of write.
    service_->writeCharacteristic(
        target, QByteArray(reinterpret_cast<const char*>(value.data()), qsizetype(value.size())),
        QLowEnergyService::WriteWithoutResponse);
    ++unfencedWrites_;
    if (fences_.empty() || unfencedWrites_ >= kWritesPerFence) startFence();
    return true;
}

void GattServiceLink::startFence() {
    if (!fence_.isValid()) {
        // Any client configuration descriptor will do: every peripheral must let it be read.
        for (const auto& characteristic : service_->characteristics()) {
            if (characteristic.clientCharacteristicConfiguration().isValid()) {
                fence_ = characteristic.clientCharacteristicConfiguration();
                break;
            }
        }
    }
    fences_.push_back(std::exchange(unfencedWrites_, 0));
    if (!fence_.isValid()) {
        fenceAnswered();  // nothing to read behind the writes: taken as Qt has them
        return;
    }
    service_->readDescriptor(fence_);
}

void GattServiceLink::fenceAnswered() {
    for (std::size_t n = fences_.front(); n > 0; --n) outbox_.writeTaken(peripheral_);
    fences_.pop_front();
    if (fences_.empty() && unfencedWrites_ > 0) startFence();
}

void GattServiceLink::stateChanged(QLowEnergyService::ServiceState state) {
    if (state == QLowEnergyService::RemoteServiceDiscovered) {
        answerCharacteristicRequests(std::nullopt);
    } else if (state == QLowEnergyService::InvalidService) {
        // The link is gone; its loss is reported by the controller.
        characteristicRequests_.clear();
        notifyRequests_.clear();
        unfencedWrites_ = 0;
        fences_.clear();
    }
}

void GattServiceLink::descriptorWritten(const QLowEnergyDescriptor& descriptor,
                                        const QByteArray& value) {
    if (descriptor.uuid() !=
        QBluetoothUuid(QBluetoothUuid::DescriptorType::ClientCharacteristicConfiguration))
        return;
    std::string characteristic;
    for (const auto& candidate : service_->characteristics()) {
        if (candidate.clientCharacteristicConfiguration() == descriptor)
            characteristic = uuidText(candidate.uuid());
    }
    if (characteristic.empty()) return;
    auto request = std::find_if(notifyRequests_.begin(), notifyRequests_.end(),
                                [&](const auto& r) { return r.characteristic == characteristic; });
    if (request != notifyRequests_.end()) notifyRequests_.erase(request);
    outbox_.notificationStateChanged(peripheral_, uuid_, characteristic,
                                     enablesNotifications(value), std::nullopt);
}

void GattServiceLink::failed(QLowEnergyService::ServiceError error) {
    const std::string text = errorText(error);
    switch (error) {
        case QLowEnergyService::DescriptorWriteError:
            if (!notifyRequests_.empty()) {
                const NotifyRequest request = notifyRequests_.front();
                notifyRequests_.pop_front();
                notificationRefused(request.characteristic, text);
                return;
            }
            break;
        case QLowEnergyService::DescriptorReadError:
            // The writes before the fence have been answered all the same.
            if (!fences_.empty()) {
                fenceAnswered();
                return;
            }
            break;
        case QLowEnergyService::CharacteristicWriteError:
            // BlueZ refuses a write longer than the link's MTU allows; Qt cannot tell us the
            // MTU on Linux, so this is where an oversized write shows. Qt answers in order, so
            // the refused write is the oldest one not yet answered: reported refused, not taken.
            if (!fences_.empty() && fences_.front() > 0) {
                --fences_.front();
            } else if (unfencedWrites_ > 0) {
                --unfencedWrites_;
            }
            outbox_.writeRefused(peripheral_, text);
            return;
        default:
            if (!characteristicRequests_.empty() &&
                service_->state() != QLowEnergyService::RemoteServiceDiscovered) {
                answerCharacteristicRequests(text);
                return;
            }
            break;
    }
    base::log("Bluetooth service error: " + text);
}

void GattServiceLink::answerCharacteristicRequests(const ErrorText& error) {
    auto requests = std::move(characteristicRequests_);
    characteristicRequests_.clear();
    for (const auto& wanted : requests) {
        outbox_.characteristicsDiscovered(
            peripheral_, uuid_, error ? std::vector<std::string>{} : found(wanted), error);
    }
}

std::vector<std::string> GattServiceLink::found(const std::vector<std::string>& wanted) const {
    std::vector<std::string> names;
    for (const auto& text : wanted) names.push_back(uuidText(uuidFromText(text)));
    std::vector<std::string> result;
    for (const auto& characteristic : service_->characteristics()) {
        const std::string uuid = uuidText(characteristic.uuid());
        if (names.empty() || std::find(names.begin(), names.end(), uuid) != names.end())
            result.push_back(uuid);
    }
    return result;
}

void GattServiceLink::notificationRefused(const std::string& characteristic,
                                          const std::string& error) {
    outbox_.notificationStateChanged(peripheral_, uuid_, characteristic,
                                     outbox_.isNotifying(uuid_, characteristic), error);
}

}  // namespace bluetooth
