#include "link/BLESocketClientImpl.h"

#include "base/Log.h"
#include "link/CentralEventRelay.h"
#include "link/LinkEnvironment.h"

namespace chairlink {

std::shared_ptr<BLESocketClientImpl> BLESocketClientImpl::make(
    std::string serviceUUID, std::string notifyCharacteristicUUID,
    std::string writeCharacteristicUUID, base::Dispatch& dispatch,
    base::NotificationCenter& notifications, BleCentralFactory centralFactory) {
    return std::shared_ptr<BLESocketClientImpl>(new BLESocketClientImpl(
        std::move(serviceUUID), std::move(notifyCharacteristicUUID),
        std::move(writeCharacteristicUUID), dispatch, notifications, std::move(centralFactory)));
}

BLESocketClientImpl::BLESocketClientImpl(std::string serviceUUID, std::string notifyUUID,
                                         std::string writeUUID, base::Dispatch& dispatch,
                                         base::NotificationCenter& notifications,
                                         BleCentralFactory centralFactory)
    : serviceUUID_(std::move(serviceUUID)),
      notifyUUID_(std::move(notifyUUID)),
      writeUUID_(std::move(writeUUID)),
      dispatch_(dispatch),
      notifications_(notifications),
      centralFactory_(std::move(centralFactory)) {}

BLESocketClientImpl::~BLESocketClientImpl() {
    if (state() != kSocketClosed) close();
    std::shared_ptr<BleCentral> central;
    {
        std::lock_guard lock(mutex_);
        central = std::move(centralManager_);
    }
    // No event may reach the relay once it is gone.
    if (central) central->stop();
}

void BLESocketClientImpl::addDelegate(std::shared_ptr<SocketDelegate> delegate) {
    if (!delegate) return;
    std::lock_guard lock(mutex_);
    socketDelegates_.insert(std::move(delegate));
}

void BLESocketClientImpl::removeDelegate(const std::shared_ptr<SocketDelegate>& delegate) {
    std::lock_guard lock(mutex_);
    socketDelegates_.erase(delegate);
}

void BLESocketClientImpl::open() {
    std::uint64_t expected = kSocketCreated;
    if (!state_.compare_exchange_strong(expected, kSocketOpening)) return;
    std::unique_ptr<BleCentral> central = centralFactory_ ? centralFactory_() : nullptr;
    if (!central) {
        base::log("Error: no Bluetooth central available");
        return;
    }
    centralQueue_ = dispatch_.makeSerialQueue(kQueueLabel);
    relay_ = std::make_unique<CentralEventRelay>(weak_from_this());
    std::shared_ptr<BleCentral> shared = std::move(central);
    {
        std::lock_guard lock(mutex_);
        centralManager_ = shared;
    }
    shared->start(*relay_, centralQueue_);
}

void BLESocketClientImpl::close() {
    state_.store(kSocketClosing);
    cleanup();
    {
        std::lock_guard lock(mutex_);
        socketDelegates_.clear();
    }
    state_.store(kSocketClosed);
    didClosed();  // reaches nobody: the listeners are gone
}

void BLESocketClientImpl::send(const Bytes& bytes) {
    send(bytes, {});
}

void BLESocketClientImpl::send(const Bytes& bytes, WriteTaken taken) {
    if (state() != kSocketConnected) return;
    std::optional<PeripheralId> peripheral;
    std::shared_ptr<BleCentral> central;
    bool searched;
    {
        std::lock_guard lock(mutex_);
        peripheral = discoveredPeripheral_;
        central = centralManager_;
        searched = writeCharacteristic_.has_value();
    }
    if (!peripheral || !central) return;
    if (!searched) findWriteCharacteristic(*peripheral);
    std::optional<WriteTarget> target;
    {
        std::lock_guard lock(mutex_);
        target = writeCharacteristic_;
    }
    if (!target) return;  // the search found nothing to write to
    std::lock_guard lock(writeMutex_);
    const std::uint64_t number = ++writesIssued_;
    if (taken) takenWaiters_.emplace_back(number, std::move(taken));
    central->writeWithoutResponse(*peripheral, target->service, target->characteristic, bytes);
}

void BLESocketClientImpl::isReadyToSendWriteWithoutResponse(const PeripheralId&) {
    writeSettled(std::nullopt);
}

void BLESocketClientImpl::didFailToWriteWithoutResponse(const PeripheralId&,
                                                        const std::string& error) {
    writeSettled(error);
}

void BLESocketClientImpl::writeSettled(const ErrorText& refusal) {
    std::vector<WriteTaken> due;
    bool waited = false;
    {
        std::lock_guard lock(writeMutex_);
        ++writesTaken_;
        while (!takenWaiters_.empty() && takenWaiters_.front().first <= writesTaken_) {
            waited = waited || takenWaiters_.front().first == writesTaken_;
            due.push_back(std::move(takenWaiters_.front().second));
            takenWaiters_.pop_front();
        }
    }
    // A refused write that nobody waits for (a command frame) is told here; a waiter tells
    // its own.
    if (refusal && !waited) base::log("Error: Bluetooth write refused: " + *refusal);
    // Outside the lock: a waiter usually writes the next piece. Only the last one is the
    // write this report is about.
    for (std::size_t i = 0; i < due.size(); ++i)
        due[i](i + 1 == due.size() && waited ? refusal : std::nullopt);
}

std::optional<std::size_t> BLESocketClientImpl::maximumWriteLength() const {
    std::optional<PeripheralId> peripheral;
    std::shared_ptr<BleCentral> central;
    {
        std::lock_guard lock(mutex_);
        peripheral = discoveredPeripheral_;
        central = centralManager_;
    }
    if (!peripheral || !central) return std::nullopt;
    return central->maximumWriteLength(*peripheral);
}

std::shared_ptr<BleCentral> BLESocketClientImpl::currentCentral() const {
    std::lock_guard lock(mutex_);
    return centralManager_;
}

std::optional<PeripheralId> BLESocketClientImpl::discoveredPeripheral() const {
    std::lock_guard lock(mutex_);
    return discoveredPeripheral_;
}

void BLESocketClientImpl::findWriteCharacteristic(const PeripheralId& peripheral) {
    auto central = currentCentral();
    auto services = central->services(peripheral);
    if (!services) return;
    std::optional<WriteTarget> found;
    for (const auto& service : *services) {
        base::log(base::format("Service UUID: %s", service.uuid.c_str()));
        for (const auto& characteristic : service.characteristics) {
            base::log(base::format("Characteristic UUID: %s", characteristic.uuid.c_str()));
            if (characteristic.uuid == writeUUID_) found = WriteTarget{service.uuid, writeUUID_};
        }
    }
    std::lock_guard lock(mutex_);
    if (found && !writeCharacteristic_) writeCharacteristic_ = found;
}

// ---- Central events (client queue) ----

void BLESocketClientImpl::centralStateChanged(ManagerState state) {
    if (state != ManagerState::PoweredOn) return;  // a switch-off changes nothing here
    auto central = currentCentral();
    if (!central) return;
    central->scan(serviceUUID_, true);
    base::log("Scanning started");
}

void BLESocketClientImpl::didDiscover(const PeripheralId& peripheral,
                                      const std::optional<std::string>& name, int rssi) {
    // Stronger than any real radio can be: a bad reading (127 means none at all).
    if (rssi > kStrongestPlausibleRssi) return;
    base::log(base::format("Discovered %s at %d", name ? name->c_str() : "(null)", rssi));
    if (!name || !name->starts_with(kNamePrefix)) return;
    std::shared_ptr<BleCentral> central;
    bool isFirst;
    {
        std::lock_guard lock(mutex_);
        central = centralManager_;
        // The first match wins: a second chair heard before the scan stops is not taken.
        isFirst = !discoveredPeripheral_;
        if (isFirst) discoveredPeripheral_ = peripheral;
    }
    if (!central) return;
    central->stopScan();
    if (!isFirst) return;
    base::log(base::format("Connecting to peripheral %s", peripheral.c_str()));
    central->connect(peripheral);
}

void BLESocketClientImpl::didConnect(const PeripheralId& peripheral) {
    base::log("Peripheral Connected");
    auto central = currentCentral();
    if (!central) return;
    central->stopScan();
    base::log("Scanning stopped");
    central->discoverServices(peripheral, {serviceUUID_});
}

void BLESocketClientImpl::didFailToConnect(const PeripheralId& peripheral,
                                           const std::string& error) {
    std::string text =
        base::format("Failed to connect to %s. (%s)", peripheral.c_str(), error.c_str());
    base::log("Error: " + text);
    didError(text);
    close();
    // Nothing else would follow a connection that never came up: the controller retries on
    // this, after its back-off wait.
    notifications_.post(kReconnectNotification, this);
}

void BLESocketClientImpl::didDisconnect(const PeripheralId&) {
    base::log("Peripheral Disconnected");
    // Sent with this client as object, so a client that was replaced meanwhile is told apart.
    notifications_.post(kReconnectNotification, this);
    std::lock_guard lock(mutex_);
    discoveredPeripheral_.reset();
}

void BLESocketClientImpl::didDiscoverServices(const PeripheralId& peripheral,
                                              const ErrorText& error) {
    if (error) {
        std::string text = base::format("Error discovering services: %s", error->c_str());
        base::log("Error: " + text);
        didError(text);
        close();
        return;
    }
    auto central = currentCentral();
    if (!central) return;
    auto services = central->services(peripheral);
    if (!services) return;
    for (const auto& service : *services) {
        central->discoverCharacteristics(peripheral, service.uuid, {notifyUUID_});
        central->discoverCharacteristics(peripheral, service.uuid, {writeUUID_});
    }
}

void BLESocketClientImpl::didDiscoverCharacteristics(const PeripheralId& peripheral,
                                                     const std::string& service,
                                                     const ErrorText& error) {
    if (error) {
        base::log(base::format("Error: Error discovering characteristics: %s", error->c_str()));
        close();
        return;
    }
    auto central = currentCentral();
    if (!central) return;
    auto services = central->services(peripheral);
    if (!services) return;
    for (const auto& found : *services) {
        if (found.uuid != service) continue;
        for (const auto& characteristic : found.characteristics) {
            if (characteristic.uuid == notifyUUID_ && !notifyCharacteristicReady_) {
                central->setNotify(peripheral, service, notifyUUID_, true);
                notifyCharacteristicReady_ = true;
            }
            if (characteristic.uuid == writeUUID_) writeCharacteristicReady_ = true;
        }
    }
    if (!notifyCharacteristicReady_ || !writeCharacteristicReady_) return;
    // Only from opening, so the second callback cannot announce the link again.
    std::uint64_t expected = kSocketOpening;
    if (state_.compare_exchange_strong(expected, kSocketConnected)) didConnected();
}

void BLESocketClientImpl::didUpdateNotificationState(const PeripheralId& peripheral,
                                                     const std::string& characteristic,
                                                     bool notifying, const ErrorText& error) {
    if (error) base::log(base::format("Error changing notification state: %s", error->c_str()));
    if (characteristic != notifyUUID_) return;
    if (notifying) {
        base::log(base::format("Notification began on %s", characteristic.c_str()));
        return;
    }
    base::log(base::format("Notification stopped on %s.  Disconnecting", characteristic.c_str()));
    auto central = currentCentral();
    if (central) central->cancelConnection(peripheral);
}

void BLESocketClientImpl::didUpdateValue(const Bytes& value, const ErrorText& error) {
    if (error) {
        base::log(base::format("Error discovering characteristics: %s", error->c_str()));
        return;
    }
    didReceived(value);
}

// Ends the link politely: unsubscribe if notifying (the disconnection follows from that),
// otherwise cancel the connection.
void BLESocketClientImpl::cleanup() {
    std::optional<PeripheralId> peripheral;
    std::shared_ptr<BleCentral> central;
    {
        std::lock_guard lock(mutex_);
        peripheral = discoveredPeripheral_;
        central = centralManager_;
    }
    if (!peripheral || !central || !central->isConnected(*peripheral)) return;
    auto services = central->services(*peripheral);
    if (!services) {
        central->cancelConnection(*peripheral);
        return;
    }
    for (const auto& service : *services) {
        for (const auto& characteristic : service.characteristics) {
            if (characteristic.uuid == notifyUUID_ && characteristic.notifying) {
                central->setNotify(*peripheral, service.uuid, notifyUUID_, false);
                return;
            }
        }
    }
    central->cancelConnection(*peripheral);
}

// ---- Listener fan-out ----

std::set<std::shared_ptr<SocketDelegate>> BLESocketClientImpl::delegateSnapshot() const {
    std::lock_guard lock(mutex_);
    return socketDelegates_;
}

void BLESocketClientImpl::didConnected() {
    for (auto& delegate : delegateSnapshot()) delegate->socketConnected();
}

void BLESocketClientImpl::didClosed() {
    for (auto& delegate : delegateSnapshot()) delegate->socketClosed();
}

void BLESocketClientImpl::didError(const std::string& error) {
    for (auto& delegate : delegateSnapshot()) delegate->socketError(error);
}

void BLESocketClientImpl::didReceived(const Bytes& bytes) {
    for (auto& delegate : delegateSnapshot()) delegate->socketReceived(bytes);
}

}  // namespace chairlink
