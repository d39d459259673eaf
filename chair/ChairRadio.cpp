#include "chair/ChairRadio.h"

#include <algorithm>

#include "base/Log.h"

namespace chair {

namespace {

using Link = std::shared_ptr<CentralLink>;

bool wanted(const std::vector<std::string>& filter, const std::string& uuid) {
    return filter.empty() || std::find(filter.begin(), filter.end(), uuid) != filter.end();
}

}  // namespace

ChairRadio::ChairRadio(ChairTimers& timers, ChairFaults& faults, RadioOptions options,
                       WriteSink sink)
    : timers_(timers),
      faults_(faults),
      options_(std::move(options)),
      sink_(std::move(sink)),
      peripherals_(peripherals(options_)) {}

std::vector<AdvertisedPeripheral> ChairRadio::peripherals(const RadioOptions& options) {
    std::vector<AdvertisedPeripheral> list;
    if (options.decoys) {
        // Each would be taken by a scan filter with one flaw, and each comes before the chair.
        list.push_back({"decoy-case", "vornalex Chair", -50, false});
        list.push_back({"decoy-infix", "My Vornalex Chair", -50, false});
        list.push_back({"decoy-near", "Vornalex Near", -10, false});
        list.push_back({"decoy-no-reading", "Vornalex Unknown", 127, false});
        list.push_back({"decoy-unnamed", std::nullopt, -50, false});
    }
    list.push_back({kChairId, options.chairName, options.chairRssi, true});
    return list;
}

const AdvertisedPeripheral* ChairRadio::find(const PeripheralId& id) const {
    for (const auto& p : peripherals_) {
        if (p.id == id) return &p;
    }
    return nullptr;
}

bool ChairRadio::connectedToChair(const Link& link, const PeripheralId& peripheral) const {
    return peripheral == kChairId && link->isConnected(peripheral);
}

int ChairRadio::liveConnections() const {
    return static_cast<int>(std::count_if(
        links_.begin(), links_.end(), [](const Link& l) { return l->connected().has_value(); }));
}

void ChairRadio::started(const Link& link) {
    links_.push_back(link);
    auto state = poweredOn_ ? ManagerState::PoweredOn : ManagerState::PoweredOff;
    link->setManagerState(state);
    link->deliver([state](BleCentralEvents& e) { e.centralStateChanged(state); });
}

void ChairRadio::stopped(const Link& link) {
    stopScan(link);
    link->setConnected(std::nullopt);  // the client is gone; so is its connection
    std::erase(links_, link);
}

void ChairRadio::scan(const Link& link, const std::string& service, bool duplicates) {
    if (!poweredOn_) return;
    stopScan(link);
    link->setScanning(true, duplicates);
    advertise(link, service);
}

void ChairRadio::advertise(const std::weak_ptr<CentralLink>& weak, const std::string& service) {
    auto link = weak.lock();
    if (!link || !link->scanning()) return;
    for (const auto& p : peripherals_) {
        if (!advertising_ || service != kChairService) continue;  // every one offers the chair's
        link->deliver([p](BleCentralEvents& e) { e.didDiscover(p.id, p.name, p.rssi); });
    }
    if (!link->scanDuplicates()) return;
    adverts_[link.get()] = timers_.after(options_.advertisingInterval,
                                         [this, weak, service] { advertise(weak, service); });
}

void ChairRadio::stopScan(const Link& link) {
    link->setScanning(false);
    auto it = adverts_.find(link.get());
    if (it == adverts_.end()) return;
    timers_.cancel(it->second);
    adverts_.erase(it);
}

void ChairRadio::connect(const Link& link, const PeripheralId& peripheral) {
    if (!poweredOn_ || link->connected()) return;
    ++connectAttempts_;
    const auto* target = find(peripheral);
    std::optional<std::string> refusal;
    if (!target) {
        refusal = "The specified device could not be found.";
    } else if (faults_.refuseConnections) {
        refusal = "The connection was refused by the peripheral.";
    } else if (faults_.failConnections > 0) {
        --faults_.failConnections;
        refusal = "The connection has failed.";
    }
    if (refusal) {
        base::log("chair: connection attempt failed: " + *refusal);
        link->deliver([peripheral, text = *refusal](BleCentralEvents& e) {
            e.didFailToConnect(peripheral, text);
        });
        return;
    }
    ++connections_;
    link->setConnected(peripheral);
    link->deliver([peripheral](BleCentralEvents& e) { e.didConnect(peripheral); });
}

void ChairRadio::cancelConnection(const Link& link, const PeripheralId& peripheral) {
    if (!link->isConnected(peripheral)) return;
    disconnect(link, std::nullopt);
}

void ChairRadio::disconnect(const Link& link, const ErrorText& error) {
    auto peripheral = link->connected();
    if (!peripheral) return;
    if (held_ && held_->link.lock() == link) held_.reset();
    link->setConnected(std::nullopt);
    link->deliver([p = *peripheral, error](BleCentralEvents& e) { e.didDisconnect(p, error); });
}

void ChairRadio::discoverServices(const Link& link, const PeripheralId& peripheral,
                                  const std::vector<std::string>& services) {
    if (!link->isConnected(peripheral)) return;
    if (faults_.failServiceDiscovery > 0) {
        --faults_.failServiceDiscovery;
        link->deliver([peripheral](BleCentralEvents& e) {
            e.didDiscoverServices(peripheral, std::string("Service discovery failed."));
        });
        return;
    }
    std::vector<BleServiceInfo> found;
    if (peripheral == kChairId && wanted(services, kChairService)) {
        found.push_back({kChairService, {}});
    }
    link->setServices(std::move(found));
    link->deliver(
        [peripheral](BleCentralEvents& e) { e.didDiscoverServices(peripheral, std::nullopt); });
}

void ChairRadio::discoverCharacteristics(const Link& link, const PeripheralId& peripheral,
                                         const std::string& service,
                                         const std::vector<std::string>& characteristics) {
    if (!link->isConnected(peripheral)) return;
    if (faults_.failCharacteristicDiscovery > 0) {
        --faults_.failCharacteristicDiscovery;
        link->deliver([peripheral, service](BleCentralEvents& e) {
            e.didDiscoverCharacteristics(peripheral, service,
                                         std::string("Characteristic discovery failed."));
        });
        return;
    }
    if (!faults_.reverseCharacteristicAnswers) {
        answerCharacteristics(link, peripheral, service, characteristics);
        return;
    }
    // Keep the first request back and answer it after the second.
    if (!held_ || held_->link.lock() != link) {
        held_ = HeldAnswer{link, peripheral, service, characteristics};
        return;
    }
    HeldAnswer first = std::move(*held_);
    held_.reset();
    answerCharacteristics(link, peripheral, service, characteristics);
    answerCharacteristics(link, first.peripheral, first.service, first.characteristics);
}

void ChairRadio::answerCharacteristics(const Link& link, const PeripheralId& peripheral,
                                       const std::string& service,
                                       const std::vector<std::string>& characteristics) {
    if (peripheral == kChairId && service == kChairService) {
        for (const char* uuid : {kNotifyCharacteristic, kWriteCharacteristic}) {
            if (wanted(characteristics, uuid)) link->addCharacteristic(service, uuid);
        }
    }
    link->deliver([peripheral, service](BleCentralEvents& e) {
        e.didDiscoverCharacteristics(peripheral, service, std::nullopt);
    });
}

void ChairRadio::setNotify(const Link& link, const PeripheralId& peripheral,
                           const std::string& characteristic, bool enabled) {
    if (!connectedToChair(link, peripheral) || characteristic != kNotifyCharacteristic) return;
    if (!link->hasCharacteristic(kChairService, characteristic)) return;
    link->setNotifying(characteristic, enabled);
    link->deliver([peripheral, characteristic, enabled](BleCentralEvents& e) {
        e.didUpdateNotificationState(peripheral, characteristic, enabled, std::nullopt);
    });
}

void ChairRadio::write(const Link& link, const PeripheralId& peripheral,
                       const std::string& characteristic, const Bytes& value) {
    if (!link->isConnected(peripheral)) {
        ++deadLinkWrites_;
        return;
    }
    if (!connectedToChair(link, peripheral) || characteristic != kWriteCharacteristic) return;
    if (!link->hasCharacteristic(kChairService, characteristic)) return;
    if (value.size() > maximumWriteLength(options_.attMtu)) {
        link->deliver([peripheral](BleCentralEvents& e) {
            e.didFailToWriteWithoutResponse(peripheral, "Failed to initiate write");
        });
        return;
    }
    if (options_.connectionInterval <= 0 && air_.empty()) {
        take(link, peripheral, value);
        return;
    }
    air_.push_back({link, peripheral, value});
    if (eventDue_) return;
    // An idle radio's next connection event comes an interval after the first write, so a
    // script's timing does not hang on where the clock stood.
    eventDue_ = true;
    timers_.after(std::max(options_.connectionInterval, 0.0), [this] { connectionEvent(); });
}

void ChairRadio::connectionEvent() {
    for (int n = 0; n < std::max(options_.packetsPerEvent, 1) && !air_.empty(); ++n) {
        QueuedWrite next = std::move(air_.front());
        air_.pop_front();
        auto link = next.link.lock();
        // What was still on its way when the link went is lost with it.
        if (!link || !link->isConnected(next.peripheral)) {
            ++deadLinkWrites_;
            continue;
        }
        take(link, next.peripheral, next.value);
    }
    eventDue_ = !air_.empty();
    if (eventDue_) {
        timers_.after(std::max(options_.connectionInterval, 0.0), [this] { connectionEvent(); });
    }
}

void ChairRadio::take(const Link& link, const PeripheralId& peripheral, const Bytes& value) {
    sink_(value);
    // Taken on the chair's queue; the sender may go on with its next write.
    link->deliver(
        [peripheral](BleCentralEvents& e) { e.isReadyToSendWriteWithoutResponse(peripheral); });
}

void ChairRadio::setPace(double connectionInterval, int packetsPerEvent, int attMtu) {
    options_.connectionInterval = connectionInterval;
    options_.packetsPerEvent = packetsPerEvent;
    options_.attMtu = attMtu;
    // Writes left from a paced radio go at the next event all the same.
}

void ChairRadio::notify(const Bytes& value) {
    for (const auto& link : links_) {
        if (!link->isConnected(kChairId) || !link->notifying(kNotifyCharacteristic)) continue;
        link->deliver([value](BleCentralEvents& e) {
            e.didUpdateValue(kChairId, kNotifyCharacteristic, value, std::nullopt);
        });
    }
}

void ChairRadio::setPoweredOn(bool on) {
    if (on == poweredOn_) return;
    poweredOn_ = on;
    auto state = on ? ManagerState::PoweredOn : ManagerState::PoweredOff;
    for (const auto& link : links_) {
        if (!on) {
            stopScan(link);
            disconnect(link, std::string("Bluetooth was switched off."));
        }
        link->setManagerState(state);
        link->deliver([state](BleCentralEvents& e) { e.centralStateChanged(state); });
    }
}

void ChairRadio::setAdvertising(bool on) {
    if (on == advertising_) return;
    advertising_ = on;
    if (!on) return;
    for (const auto& link : links_) {
        if (!link->scanning()) continue;
        // A repeating advertisement restarts from now instead of running twice.
        auto it = adverts_.find(link.get());
        if (it != adverts_.end()) {
            timers_.cancel(it->second);
            adverts_.erase(it);
        }
        advertise(link, kChairService);
    }
}

void ChairRadio::dropLinks() {
    for (const auto& link : links_) {
        disconnect(link, std::string("The connection has timed out unexpectedly."));
    }
}

void ChairRadio::stopNotifying() {
    for (const auto& link : links_) {
        if (!link->isConnected(kChairId) || !link->notifying(kNotifyCharacteristic)) continue;
        link->setNotifying(kNotifyCharacteristic, false);
        link->deliver([](BleCentralEvents& e) {
            e.didUpdateNotificationState(kChairId, kNotifyCharacteristic, false, std::nullopt);
        });
    }
}

}  // namespace chair
