#include "bluetooth/QtBleCentral.h"

#include <QCoreApplication>

#include "base/Log.h"
#include "bluetooth/QtBleWorker.h"

namespace bluetooth {

using chairlink::ManagerState;
using chairlink::PeripheralId;

QtBleCentral::QtBleCentral(std::shared_ptr<BluetoothThread> thread, base::Clock& clock,
                           QtBleCentralOptions options)
    : thread_(std::move(thread)),
      gate_(CentralEventGate::make()),
      outbox_(std::make_shared<CentralOutbox>(gate_)) {
    if (!QCoreApplication::instance()) {
        base::log("Bluetooth needs a Qt application object; Bluetooth stays off");
        return;
    }
    auto* worker = new QtBleWorker(clock, options.connectTimeoutSeconds, outbox_);
    port_ = std::make_shared<WorkerPort>(worker);
    worker->setPort(port_);
    worker->moveToThread(thread_->thread());
}

QtBleCentral::~QtBleCentral() {
    stop();
    if (!port_) return;
    // Bluetooth thread: disconnect, then the worker goes with its Qt objects.
    port_->post([port = port_](QtBleWorker& worker) {
        worker.shutDown();
        port->detach();
        worker.deleteLater();
    });
}

void QtBleCentral::start(chairlink::BleCentralEvents& events,
                         std::shared_ptr<base::SerialQueue> queue) {
    gate_->open(events, std::move(queue));
    if (port_) {
        port_->post([](QtBleWorker& worker) { worker.begin(); });
    } else {
        outbox_->stateChanged(ManagerState::PoweredOff);
    }
}

void QtBleCentral::stop() {
    gate_->close();
}

ManagerState QtBleCentral::state() const {
    return outbox_->state();
}

void QtBleCentral::scan(const std::string& service, bool allowDuplicates) {
    if (!port_) return;
    port_->post(
        [service, allowDuplicates](QtBleWorker& worker) { worker.scan(service, allowDuplicates); });
}

void QtBleCentral::stopScan() {
    if (port_) port_->post([](QtBleWorker& worker) { worker.stopScan(); });
}

void QtBleCentral::connect(const PeripheralId& peripheral) {
    if (port_) port_->post([peripheral](QtBleWorker& worker) { worker.connectTo(peripheral); });
}

void QtBleCentral::cancelConnection(const PeripheralId& peripheral) {
    if (!port_) return;
    port_->post([peripheral](QtBleWorker& worker) { worker.cancelConnection(peripheral); });
}

bool QtBleCentral::isConnected(const PeripheralId& peripheral) const {
    return outbox_->isConnected(peripheral);
}

void QtBleCentral::discoverServices(const PeripheralId& peripheral,
                                    const std::vector<std::string>& services) {
    if (!port_) return;
    port_->post([peripheral, services](QtBleWorker& worker) {
        worker.discoverServices(peripheral, services);
    });
}

void QtBleCentral::discoverCharacteristics(const PeripheralId& peripheral,
                                           const std::string& service,
                                           const std::vector<std::string>& characteristics) {
    if (!port_) return;
    port_->post([peripheral, service, characteristics](QtBleWorker& worker) {
        worker.discoverCharacteristics(peripheral, service, characteristics);
    });
}

std::optional<std::size_t> QtBleCentral::maximumWriteLength(const PeripheralId& peripheral) const {
    return outbox_->maximumWriteLength(peripheral);
}

std::optional<std::vector<chairlink::BleServiceInfo>> QtBleCentral::services(
    const PeripheralId& peripheral) const {
    return outbox_->services(peripheral);
}

void QtBleCentral::setNotify(const PeripheralId& peripheral, const std::string& service,
                             const std::string& characteristic, bool enabled) {
    if (!port_) return;
    port_->post([peripheral, service, characteristic, enabled](QtBleWorker& worker) {
        worker.setNotify(peripheral, service, characteristic, enabled);
    });
}

void QtBleCentral::writeWithoutResponse(const PeripheralId& peripheral, const std::string& service,
                                        const std::string& characteristic,
                                        const chairlink::Bytes& value) {
    if (!port_) return;
    port_->post([peripheral, service, characteristic, value](QtBleWorker& worker) {
        worker.writeWithoutResponse(peripheral, service, characteristic, value);
    });
}

}  // namespace bluetooth
