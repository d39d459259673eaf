#include "link/CapturingCentral.h"

#include <utility>

#include "link/LinkEnvironment.h"

namespace chairlink {

namespace {

// Sits between the BLE client and the real central, on both paths: the calls go down
// through it and the events come up through it.
class CapturingCentral final : public BleCentral, private BleCentralEvents {
public:
    CapturingCentral(std::unique_ptr<BleCentral> inner, std::shared_ptr<LinkCapture> capture)
        : inner_(std::move(inner)), capture_(std::move(capture)) {}

    void start(BleCentralEvents& events, std::shared_ptr<base::SerialQueue> queue) override {
        events_ = &events;
        inner_->start(*this, std::move(queue));
    }
    void stop() override { inner_->stop(); }
    ManagerState state() const override { return inner_->state(); }
    void scan(const std::string& service, bool allowDuplicates) override {
        inner_->scan(service, allowDuplicates);
    }
    void stopScan() override { inner_->stopScan(); }
    void connect(const PeripheralId& peripheral) override { inner_->connect(peripheral); }
    void cancelConnection(const PeripheralId& peripheral) override {
        inner_->cancelConnection(peripheral);
    }
    bool isConnected(const PeripheralId& peripheral) const override {
        return inner_->isConnected(peripheral);
    }
    void discoverServices(const PeripheralId& peripheral,
                          const std::vector<std::string>& services) override {
        inner_->discoverServices(peripheral, services);
    }
    void discoverCharacteristics(const PeripheralId& peripheral, const std::string& service,
                                 const std::vector<std::string>& characteristics) override {
        inner_->discoverCharacteristics(peripheral, service, characteristics);
    }
    std::optional<std::vector<BleServiceInfo>> services(
        const PeripheralId& peripheral) const override {
        return inner_->services(peripheral);
    }
    void setNotify(const PeripheralId& peripheral, const std::string& service,
                   const std::string& characteristic, bool enabled) override {
        inner_->setNotify(peripheral, service, characteristic, enabled);
    }
    void writeWithoutResponse(const PeripheralId& peripheral, const std::string& service,
                              const std::string& characteristic, const Bytes& value) override {
        // Only writes that reach a connected chair went over the link.
        if (characteristic == kChairWriteCharacteristicUUID && inner_->isConnected(peripheral))
            capture_->written(value);
        inner_->writeWithoutResponse(peripheral, service, characteristic, value);
    }

private:
    void centralStateChanged(ManagerState state) override { events_->centralStateChanged(state); }
    void didDiscover(const PeripheralId& peripheral, const std::optional<std::string>& name,
                     int rssi) override {
        events_->didDiscover(peripheral, name, rssi);
    }
    void didConnect(const PeripheralId& peripheral) override {
        capture_->connected(peripheral);
        events_->didConnect(peripheral);
    }
    void didFailToConnect(const PeripheralId& peripheral, const std::string& error) override {
        events_->didFailToConnect(peripheral, error);
    }
    void didDisconnect(const PeripheralId& peripheral, const ErrorText& error) override {
        capture_->disconnected();
        events_->didDisconnect(peripheral, error);
    }
    void didDiscoverServices(const PeripheralId& peripheral, const ErrorText& error) override {
        events_->didDiscoverServices(peripheral, error);
    }
    void didDiscoverCharacteristics(const PeripheralId& peripheral, const std::string& service,
                                    const ErrorText& error) override {
        events_->didDiscoverCharacteristics(peripheral, service, error);
    }
    void didUpdateValue(const PeripheralId& peripheral, const std::string& characteristic,
                        const Bytes& value, const ErrorText& error) override {
        if (!error && characteristic == kChairNotifyCharacteristicUUID) capture_->notified(value);
        events_->didUpdateValue(peripheral, characteristic, value, error);
    }
    void didUpdateNotificationState(const PeripheralId& peripheral,
                                    const std::string& characteristic, bool notifying,
                                    const ErrorText& error) override {
        events_->didUpdateNotificationState(peripheral, characteristic, notifying, error);
    }
    void isReadyToSendWriteWithoutResponse(const PeripheralId& peripheral) override {
        events_->isReadyToSendWriteWithoutResponse(peripheral);
    }

    std::unique_ptr<BleCentral> inner_;
    std::shared_ptr<LinkCapture> capture_;
    BleCentralEvents* events_ = nullptr;  // set by start(), before any event
};

}  // namespace

BleCentralFactory capturingCentrals(BleCentralFactory inner, std::shared_ptr<LinkCapture> capture) {
    if (!capture) return inner;
    return
        [inner = std::move(inner), capture = std::move(capture)]() -> std::unique_ptr<BleCentral> {
            auto central = inner();
            if (!central) return nullptr;
            return std::make_unique<CapturingCentral>(std::move(central), capture);
        };
}

}  // namespace chairlink
