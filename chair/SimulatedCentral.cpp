#include "chair/SimulatedCentral.h"

#include "chair/StandInChair.h"

namespace chair {

SimulatedCentral::SimulatedCentral(std::shared_ptr<StandInChair> chair)
    : chair_(std::move(chair)) {}

SimulatedCentral::~SimulatedCentral() {
    stop();
}

template <typename Step>
void SimulatedCentral::onChair(Step step) {
    // Runs on the chair's queue, never on the caller's thread.
    chair_->queue_->async(
        [chair = chair_, link = link_, step = std::move(step)] { step(*chair->radio_, link); });
}

void SimulatedCentral::start(BleCentralEvents& events, std::shared_ptr<base::SerialQueue> queue) {
    if (started_.exchange(true)) return;
    link_->attach(events, std::move(queue));
    onChair([](ChairRadio& radio, const auto& link) { radio.started(link); });
}

void SimulatedCentral::stop() {
    if (!started_.load() || !link_->attached()) return;
    link_->detach();
    onChair([](ChairRadio& radio, const auto& link) { radio.stopped(link); });
}

ManagerState SimulatedCentral::state() const {
    return link_->managerState();
}

void SimulatedCentral::scan(const std::string& service, bool allowDuplicates) {
    onChair([service, allowDuplicates](ChairRadio& radio, const auto& link) {
        radio.scan(link, service, allowDuplicates);
    });
}

void SimulatedCentral::stopScan() {
    onChair([](ChairRadio& radio, const auto& link) { radio.stopScan(link); });
}

void SimulatedCentral::connect(const PeripheralId& peripheral) {
    onChair([peripheral](ChairRadio& radio, const auto& link) { radio.connect(link, peripheral); });
}

void SimulatedCentral::cancelConnection(const PeripheralId& peripheral) {
    onChair([peripheral](ChairRadio& radio, const auto& link) {
        radio.cancelConnection(link, peripheral);
    });
}

bool SimulatedCentral::isConnected(const PeripheralId& peripheral) const {
    return link_->isConnected(peripheral);
}

void SimulatedCentral::discoverServices(const PeripheralId& peripheral,
                                        const std::vector<std::string>& services) {
    onChair([peripheral, services](ChairRadio& radio, const auto& link) {
        radio.discoverServices(link, peripheral, services);
    });
}

void SimulatedCentral::discoverCharacteristics(const PeripheralId& peripheral,
                                               const std::string& service,
                                               const std::vector<std::string>& characteristics) {
    onChair([peripheral, service, characteristics](ChairRadio& radio, const auto& link) {
        radio.discoverCharacteristics(link, peripheral, service, characteristics);
    });
}

std::optional<std::vector<BleServiceInfo>> SimulatedCentral::services(
    const PeripheralId& peripheral) const {
    return link_->services(peripheral);
}

void SimulatedCentral::setNotify(const PeripheralId& peripheral, const std::string& service,
                                 const std::string& characteristic, bool enabled) {
    if (service != kChairService) return;
    onChair([peripheral, characteristic, enabled](ChairRadio& radio, const auto& link) {
        radio.setNotify(link, peripheral, characteristic, enabled);
    });
}

std::optional<std::size_t> SimulatedCentral::maximumWriteLength(
    const PeripheralId& peripheral) const {
    if (!link_->isConnected(peripheral)) return std::nullopt;
    return chair_->maximumWriteLength();
}

void SimulatedCentral::writeWithoutResponse(const PeripheralId& peripheral,
                                            const std::string& service,
                                            const std::string& characteristic,
                                            const chairlink::Bytes& value) {
    if (service != kChairService) return;
    onChair([peripheral, characteristic, value](ChairRadio& radio, const auto& link) {
        radio.write(link, peripheral, characteristic, value);
    });
}

}  // namespace chair
