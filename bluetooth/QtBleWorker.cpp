#include "bluetooth/QtBleWorker.h"

#include "base/Log.h"

namespace bluetooth {

using chairlink::ManagerState;
using chairlink::PeripheralId;

void WorkerPort::post(std::function<void(QtBleWorker&)> call) {
    std::lock_guard lock(mutex_);
    if (!worker_) return;
    // Bluetooth thread; dropped by Qt if the worker is deleted first.
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, call = std::move(call)] { call(*worker); },
        Qt::QueuedConnection);
}

void WorkerPort::detach() {
    std::lock_guard lock(mutex_);
    worker_ = nullptr;
}

QtBleWorker::QtBleWorker(base::Clock& clock, double connectTimeoutSeconds,
                         std::shared_ptr<CentralOutbox> outbox)
    : clock_(clock), connectTimeout_(connectTimeoutSeconds), outbox_(std::move(outbox)) {}

QtBleWorker::~QtBleWorker() {
    stopTimeout();
}

void QtBleWorker::begin() {
    if (!adapter_) {
        // The first adapter BlueZ lists (a blocking D-Bus call, hence this thread).
        adapter_ = new QBluetoothLocalDevice(this);
        if (adapter_->isValid()) {
            connect(adapter_, &QBluetoothLocalDevice::hostModeStateChanged, this,
                    &QtBleWorker::reportHostMode);
        } else {
            base::log("No Bluetooth adapter found; Bluetooth stays off");
        }
    }
    reported_.reset();
    reportHostMode(adapter_->isValid() ? adapter_->hostMode()
                                       : QBluetoothLocalDevice::HostPoweredOff);
}

void QtBleWorker::shutDown() {
    stopTimeout();
    if (scanner_) scanner_->stop();
    delete link_;  // disconnects
    link_ = nullptr;
}

// Qt reports every host-mode change (discoverable, connectable); the client hears only the
// changes between on and off, since each "powered on" makes it scan again.
void QtBleWorker::reportHostMode(QBluetoothLocalDevice::HostMode mode) {
    const ManagerState state = mode == QBluetoothLocalDevice::HostPoweredOff
                                   ? ManagerState::PoweredOff
                                   : ManagerState::PoweredOn;
    if (reported_ == state) return;
    reported_ = state;
    outbox_->stateChanged(state);
}

void QtBleWorker::scan(const std::string& service, bool allowDuplicates) {
    if (!adapter_ || !adapter_->isValid()) return;
    if (!scanner_) scanner_ = new AdvertisementScanner(adapter_->address(), *outbox_, this);
    scanner_->start(service, allowDuplicates);
}

void QtBleWorker::stopScan() {
    if (scanner_) scanner_->stop();
}

void QtBleWorker::connectTo(const PeripheralId& peripheral) {
    if (link_ || !adapter_) return;  // one connection per central
    if (!adapter_->isValid()) {
        outbox_->failedToConnect(peripheral, "No Bluetooth adapter");
        return;
    }
    PeripheralLink::Owner owner{[this] { stopTimeout(); }, [this] { linkEnded(); }};
    link_ = new PeripheralLink(deviceFor(peripheral), adapter_->address(), *outbox_,
                               std::move(owner), this);
    startTimeout(++attempt_);
    link_->open();
}

void QtBleWorker::cancelConnection(const PeripheralId& peripheral) {
    if (auto* link = linkTo(peripheral)) link->cancel();
}

void QtBleWorker::discoverServices(const PeripheralId& peripheral,
                                   const std::vector<std::string>& services) {
    if (auto* link = linkTo(peripheral)) link->discoverServices(services);
}

void QtBleWorker::discoverCharacteristics(const PeripheralId& peripheral,
                                          const std::string& service,
                                          const std::vector<std::string>& characteristics) {
    if (auto* link = linkTo(peripheral)) link->discoverCharacteristics(service, characteristics);
}

void QtBleWorker::setNotify(const PeripheralId& peripheral, const std::string& service,
                            const std::string& characteristic, bool enabled) {
    if (auto* link = linkTo(peripheral)) link->setNotify(service, characteristic, enabled);
}

void QtBleWorker::writeWithoutResponse(const PeripheralId& peripheral, const std::string& service,
                                       const std::string& characteristic,
                                       const chairlink::Bytes& value) {
    if (auto* link = linkTo(peripheral)) link->writeWithoutResponse(service, characteristic, value);
}

QBluetoothDeviceInfo QtBleWorker::deviceFor(const PeripheralId& peripheral) const {
    if (scanner_) {
        if (auto heard = scanner_->peripheral(peripheral)) return *heard;
    }
    // Not heard in this scan: BlueZ may still know it by address.
    QBluetoothDeviceInfo device(QBluetoothAddress(QString::fromStdString(peripheral)), QString(),
                                0);
    device.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    return device;
}

PeripheralLink* QtBleWorker::linkTo(const PeripheralId& peripheral) const {
    return link_ && link_->peripheral() == peripheral ? link_ : nullptr;
}

// Qt has no connect timeout on Linux: BlueZ would keep trying while the chair is away.
void QtBleWorker::startTimeout(std::uint64_t attempt) {
    stopTimeout();
    // Main thread (the clock's); hops back here through the port.
    timeout_ = clock_.callAfter(connectTimeout_, [port = port_, attempt] {
        if (auto live = port.lock()) {
            live->post([attempt](QtBleWorker& worker) { worker.timedOut(attempt); });
        }
    });
}

void QtBleWorker::timedOut(std::uint64_t attempt) {
    timeout_.reset();
    if (attempt != attempt_ || !link_ || !link_->isConnecting()) return;
    base::log(base::format("Connection to %s timed out", link_->peripheral().c_str()));
    link_->giveUp(base::format("Connection timed out after %g s", connectTimeout_));
}

void QtBleWorker::stopTimeout() {
    if (timeout_) clock_.cancel(*timeout_);
    timeout_.reset();
}

void QtBleWorker::linkEnded() {
    stopTimeout();
    // Called from inside the link; it goes once that call has returned.
    link_->deleteLater();
    link_ = nullptr;
}

}  // namespace bluetooth
