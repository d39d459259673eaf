#include "chair/CentralLink.h"

#include <algorithm>

namespace chair {

void CentralLink::attach(BleCentralEvents& events, std::shared_ptr<base::SerialQueue> queue) {
    std::lock_guard lock(mutex_);
    events_ = &events;
    queue_ = std::move(queue);
}

void CentralLink::detach() {
    std::lock_guard delivering(delivering_);
    std::lock_guard lock(mutex_);
    events_ = nullptr;
    queue_.reset();
}

bool CentralLink::attached() const {
    std::lock_guard lock(mutex_);
    return events_ != nullptr;
}

void CentralLink::deliver(Event event) {
    std::shared_ptr<base::SerialQueue> queue;
    {
        std::lock_guard lock(mutex_);
        if (!events_) return;
        queue = queue_;
    }
    // Runs on the client's queue.
    queue->async([self = shared_from_this(), event = std::move(event)] { self->run(event); });
}

void CentralLink::run(const Event& event) {
    std::lock_guard delivering(delivering_);
    BleCentralEvents* events;
    {
        std::lock_guard lock(mutex_);
        events = events_;
    }
    if (events) event(*events);
}

ManagerState CentralLink::managerState() const {
    std::lock_guard lock(mutex_);
    return managerState_;
}

void CentralLink::setManagerState(ManagerState state) {
    std::lock_guard lock(mutex_);
    managerState_ = state;
}

bool CentralLink::scanning() const {
    std::lock_guard lock(mutex_);
    return scanning_;
}

bool CentralLink::scanDuplicates() const {
    std::lock_guard lock(mutex_);
    return scanDuplicates_;
}

void CentralLink::setScanning(bool scanning, bool duplicates) {
    std::lock_guard lock(mutex_);
    scanning_ = scanning;
    scanDuplicates_ = scanning && duplicates;
}

std::optional<PeripheralId> CentralLink::connected() const {
    std::lock_guard lock(mutex_);
    return connected_;
}

bool CentralLink::isConnected(const PeripheralId& peripheral) const {
    std::lock_guard lock(mutex_);
    return connected_ == peripheral;
}

void CentralLink::setConnected(std::optional<PeripheralId> peripheral) {
    std::lock_guard lock(mutex_);
    connected_ = std::move(peripheral);
    services_.reset();
}

std::optional<std::vector<BleServiceInfo>> CentralLink::services(
    const PeripheralId& peripheral) const {
    std::lock_guard lock(mutex_);
    if (connected_ != peripheral) return std::nullopt;
    return services_;
}

void CentralLink::setServices(std::vector<BleServiceInfo> services) {
    std::lock_guard lock(mutex_);
    services_ = std::move(services);
}

bool CentralLink::addCharacteristic(const std::string& service, const std::string& characteristic) {
    std::lock_guard lock(mutex_);
    if (!services_) return false;
    for (auto& s : *services_) {
        if (s.uuid != service) continue;
        bool known = std::any_of(s.characteristics.begin(), s.characteristics.end(),
                                 [&](const auto& c) { return c.uuid == characteristic; });
        if (!known) s.characteristics.push_back({characteristic, false});
        return true;
    }
    return false;
}

bool CentralLink::hasCharacteristic(const std::string& service,
                                    const std::string& characteristic) const {
    std::lock_guard lock(mutex_);
    if (!services_) return false;
    for (const auto& s : *services_) {
        if (s.uuid != service) continue;
        for (const auto& c : s.characteristics) {
            if (c.uuid == characteristic) return true;
        }
    }
    return false;
}

bool CentralLink::notifying(const std::string& characteristic) const {
    std::lock_guard lock(mutex_);
    if (!services_) return false;
    for (const auto& s : *services_) {
        for (const auto& c : s.characteristics) {
            if (c.uuid == characteristic) return c.notifying;
        }
    }
    return false;
}

void CentralLink::setNotifying(const std::string& characteristic, bool notifying) {
    std::lock_guard lock(mutex_);
    if (!services_) return;
    for (auto& s : *services_) {
        for (auto& c : s.characteristics) {
            if (c.uuid == characteristic) c.notifying = notifying;
        }
    }
}

}  // namespace chair
