#pragma once

#include <memory>

#include "base/Clock.h"
#include "bluetooth/BluetoothThread.h"
#include "bluetooth/CentralEventGate.h"
#include "bluetooth/CentralOutbox.h"
#include "link/BleCentral.h"

namespace bluetooth {

class QtBleWorker;
class WorkerPort;

struct QtBleCentralOptions {
    // Qt has no connect timeout on Linux; a pending connection is given up after this.
    double connectTimeoutSeconds = 10.0;
};

// The BLE central on Qt Bluetooth (BlueZ on Linux, and Qt's backends elsewhere). The Qt
// objects live in the shared Bluetooth thread and are touched only there: every call is
// queued to it, every event goes from it to the client's serial queue, and the queries answer
// from a picture kept up to date before each event. Needs a QCoreApplication (Qt's D-Bus
// support does); without one it reports Bluetooth as off.
class QtBleCentral final : public chairlink::BleCentral {
public:
    // The clock times the connect timeout; it and the thread must outlive the central.
    QtBleCentral(std::shared_ptr<BluetoothThread> thread, base::Clock& clock,
                 QtBleCentralOptions options = {});
    // Does not wait for the Bluetooth thread: the Qt objects are taken down there afterwards.
    ~QtBleCentral() override;
    QtBleCentral(const QtBleCentral&) = delete;
    QtBleCentral& operator=(const QtBleCentral&) = delete;

    void start(chairlink::BleCentralEvents& events,
               std::shared_ptr<base::SerialQueue> queue) override;
    void stop() override;

    chairlink::ManagerState state() const override;
    void scan(const std::string& service, bool allowDuplicates) override;
    void stopScan() override;
    void connect(const chairlink::PeripheralId& peripheral) override;
    void cancelConnection(const chairlink::PeripheralId& peripheral) override;
    bool isConnected(const chairlink::PeripheralId& peripheral) const override;
    void discoverServices(const chairlink::PeripheralId& peripheral,
                          const std::vector<std::string>& services) override;
    void discoverCharacteristics(const chairlink::PeripheralId& peripheral,
                                 const std::string& service,
                                 const std::vector<std::string>& characteristics) override;
    std::optional<std::vector<chairlink::BleServiceInfo>> services(
        const chairlink::PeripheralId& peripheral) const override;
    void setNotify(const chairlink::PeripheralId& peripheral, const std::string& service,
                   const std::string& characteristic, bool enabled) override;
    void writeWithoutResponse(const chairlink::PeripheralId& peripheral, const std::string& service,
                              const std::string& characteristic,
                              const chairlink::Bytes& value) override;
    std::optional<std::size_t> maximumWriteLength(
        const chairlink::PeripheralId& peripheral) const override;

private:
    std::shared_ptr<BluetoothThread> thread_;
    std::shared_ptr<CentralEventGate> gate_;
    std::shared_ptr<CentralOutbox> outbox_;
    std::shared_ptr<WorkerPort> port_;  // empty without a QCoreApplication
};

}  // namespace bluetooth
