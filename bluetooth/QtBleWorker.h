#pragma once

#include <QBluetoothLocalDevice>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "bluetooth/AdvertisementScanner.h"
#include "bluetooth/CentralOutbox.h"
#include "bluetooth/PeripheralLink.h"

namespace bluetooth {

class QtBleWorker;

// The way into a worker from other threads. Calls are queued to the worker's thread; once
// the worker is gone (detach) they are dropped.
class WorkerPort {
public:
    explicit WorkerPort(QtBleWorker* worker) : worker_(worker) {}
    // Any thread.
    void post(std::function<void(QtBleWorker&)> call);
    // Bluetooth thread, before the worker is deleted.
    void detach();

private:
    std::mutex mutex_;
    QtBleWorker* worker_;
};

// The Qt side of one central: the local adapter (manager state), LE scanning, one connection
// with its connect timeout. Lives in the Bluetooth thread; every member runs there.
class QtBleWorker : public QObject {
    Q_OBJECT
public:
    QtBleWorker(base::Clock& clock, double connectTimeoutSeconds,
                std::shared_ptr<CentralOutbox> outbox);
    ~QtBleWorker() override;

    // Set once, before the worker is handed to its thread; the timeout comes back through it.
    void setPort(std::weak_ptr<WorkerPort> port) { port_ = std::move(port); }

    // Opens the local adapter (the first call) and reports the manager state.
    void begin();
    // Ends the scan and any connection; the worker may then be deleted.
    void shutDown();

    void scan(const std::string& service, bool allowDuplicates);
    void stopScan();
    void connectTo(const chairlink::PeripheralId& peripheral);
    void cancelConnection(const chairlink::PeripheralId& peripheral);
    void discoverServices(const chairlink::PeripheralId& peripheral,
                          const std::vector<std::string>& services);
    void discoverCharacteristics(const chairlink::PeripheralId& peripheral,
                                 const std::string& service,
                                 const std::vector<std::string>& characteristics);
    void setNotify(const chairlink::PeripheralId& peripheral, const std::string& service,
                   const std::string& characteristic, bool enabled);
    void writeWithoutResponse(const chairlink::PeripheralId& peripheral, const std::string& service,
                              const std::string& characteristic, const chairlink::Bytes& value);

private:
    void reportHostMode(QBluetoothLocalDevice::HostMode mode);
    QBluetoothDeviceInfo deviceFor(const chairlink::PeripheralId& peripheral) const;
    // The link to `peripheral`, if that is the one this central has.
    PeripheralLink* linkTo(const chairlink::PeripheralId& peripheral) const;
    void startTimeout(std::uint64_t attempt);
    void timedOut(std::uint64_t attempt);
    void stopTimeout();
    void linkEnded();

    base::Clock& clock_;
    const double connectTimeout_;
    std::shared_ptr<CentralOutbox> outbox_;
    std::weak_ptr<WorkerPort> port_;
    QBluetoothLocalDevice* adapter_ = nullptr;
    AdvertisementScanner* scanner_ = nullptr;
    PeripheralLink* link_ = nullptr;
    std::uint64_t attempt_ = 0;
    std::optional<base::Clock::TimerId> timeout_;
    std::optional<chairlink::ManagerState> reported_;
};

}  // namespace bluetooth
