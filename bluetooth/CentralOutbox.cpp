#include "bluetooth/CentralOutbox.h"

#include <algorithm>

namespace bluetooth {

namespace {

// Works for the const and the mutable picture alike.
template <typename Services>
auto* findCharacteristic(Services& services, const std::string& service,
                         const std::string& characteristic) {
    decltype(&services->front().characteristics.front()) none = nullptr;
    if (!services) return none;
    for (auto& known : *services) {
        if (known.uuid != service) continue;
        for (auto& c : known.characteristics) {
            if (c.uuid == characteristic) return &c;
        }
    }
    return none;
}

}  // namespace

using chairlink::BleCentralEvents;
using chairlink::Bytes;
using chairlink::ErrorText;
using chairlink::ManagerState;
using chairlink::PeripheralId;

CentralOutbox::CentralOutbox(std::shared_ptr<CentralEventGate> gate) : gate_(std::move(gate)) {}

ManagerState CentralOutbox::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

bool CentralOutbox::isConnected(const PeripheralId& peripheral) const {
    std::lock_guard lock(mutex_);
    return connected_ == peripheral;
}

std::optional<std::vector<chairlink::BleServiceInfo>> CentralOutbox::services(
    const PeripheralId& peripheral) const {
    std::lock_guard lock(mutex_);
    if (connected_ != peripheral) return std::nullopt;
    return services_;
}

void CentralOutbox::stateChanged(ManagerState state) {
    {
        std::lock_guard lock(mutex_);
        state_ = state;
    }
    gate_->post([state](BleCentralEvents& events) { events.centralStateChanged(state); });
}

void CentralOutbox::discovered(const PeripheralId& peripheral,
                               const std::optional<std::string>& name, int rssi) {
    gate_->post([peripheral, name, rssi](BleCentralEvents& events) {
        events.didDiscover(peripheral, name, rssi);
    });
}

void CentralOutbox::connected(const PeripheralId& peripheral) {
    {
        std::lock_guard lock(mutex_);
        connected_ = peripheral;
        services_.reset();
        maximumWriteLength_.reset();
    }
    gate_->post([peripheral](BleCentralEvents& events) { events.didConnect(peripheral); });
}

void CentralOutbox::failedToConnect(const PeripheralId& peripheral, const std::string& error) {
    gate_->post([peripheral, error](BleCentralEvents& events) {
        events.didFailToConnect(peripheral, error);
    });
}

void CentralOutbox::disconnected(const PeripheralId& peripheral, const ErrorText& error) {
    {
        std::lock_guard lock(mutex_);
        if (connected_ == peripheral) {
            connected_.reset();
            services_.reset();
        }
    }
    gate_->post(
        [peripheral, error](BleCentralEvents& events) { events.didDisconnect(peripheral, error); });
}

void CentralOutbox::servicesDiscovered(const PeripheralId& peripheral,
                                       const std::vector<std::string>& services,
                                       const ErrorText& error) {
    if (!error) {
        std::lock_guard lock(mutex_);
        if (!services_) services_.emplace();
        for (const auto& uuid : services) {
            auto known = std::find_if(services_->begin(), services_->end(),
                                      [&](const auto& service) { return service.uuid == uuid; });
            if (known == services_->end()) services_->push_back({uuid, {}});
        }
    }
    gate_->post([peripheral, error](BleCentralEvents& events) {
        events.didDiscoverServices(peripheral, error);
    });
}

void CentralOutbox::characteristicsDiscovered(const PeripheralId& peripheral,
                                              const std::string& service,
                                              const std::vector<std::string>& characteristics,
                                              const ErrorText& error) {
    if (!error) {
        std::lock_guard lock(mutex_);
        if (services_) {
            for (auto& known : *services_) {
                if (known.uuid != service) continue;
                for (const auto& uuid : characteristics) {
                    auto same = [&](const auto& c) { return c.uuid == uuid; };
                    if (std::none_of(known.characteristics.begin(), known.characteristics.end(),
                                     same)) {
                        known.characteristics.push_back({uuid, false});
                    }
                }
            }
        }
    }
    gate_->post([peripheral, service, error](BleCentralEvents& events) {
        events.didDiscoverCharacteristics(peripheral, service, error);
    });
}

void CentralOutbox::writeTaken(const PeripheralId& peripheral) {
    gate_->post([peripheral](BleCentralEvents& events) {
        events.isReadyToSendWriteWithoutResponse(peripheral);
    });
}

void CentralOutbox::writeRefused(const PeripheralId& peripheral, const std::string& error) {
    gate_->post([peripheral, error](BleCentralEvents& events) {
        events.didFailToWriteWithoutResponse(peripheral, error);
    });
}

void CentralOutbox::mtuKnown(const PeripheralId& peripheral, int mtu) {
    // An ATT write carries the MTU less its 3-byte header; 23 is the least any link has.
    std::lock_guard lock(mutex_);
    if (connected_ == peripheral && mtu >= 23) maximumWriteLength_ = std::size_t(mtu) - 3;
}

std::optional<std::size_t> CentralOutbox::maximumWriteLength(const PeripheralId& peripheral) const {
    std::lock_guard lock(mutex_);
    if (connected_ != peripheral) return std::nullopt;
    return maximumWriteLength_;
}

void CentralOutbox::valueUpdated(const PeripheralId& peripheral, const std::string& characteristic,
                                 const Bytes& value) {
    gate_->post([peripheral, characteristic, value](BleCentralEvents& events) {
        events.didUpdateValue(peripheral, characteristic, value, std::nullopt);
    });
}

void CentralOutbox::notificationStateChanged(const PeripheralId& peripheral,
                                             const std::string& service,
                                             const std::string& characteristic, bool notifying,
                                             const ErrorText& error) {
    {
        std::lock_guard lock(mutex_);
        if (auto* found = findCharacteristic(services_, service, characteristic))
            found->notifying = notifying;
    }
    gate_->post([peripheral, characteristic, notifying, error](BleCentralEvents& events) {
        events.didUpdateNotificationState(peripheral, characteristic, notifying, error);
    });
}

bool CentralOutbox::isNotifying(const std::string& service,
                                const std::string& characteristic) const {
    std::lock_guard lock(mutex_);
    auto* found = findCharacteristic(services_, service, characteristic);
    return found && found->notifying;
}

}  // namespace bluetooth
