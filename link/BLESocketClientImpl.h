#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "base/Dispatch.h"
#include "base/NotificationCenter.h"
#include "link/BleCentral.h"
#include "link/SocketClient.h"

namespace chairlink {

class CentralEventRelay;

// The BLE client: scans for the first peripheral whose name starts with "Vornalex", connects,
// finds the notify and write characteristics, subscribes, hands every notified value to its
// listeners and writes without response. One instance serves one connection; the session
// controller replaces it when the link is lost. Create it with make(): central events reach
// it through a weak reference, so it may be released from one of its own callbacks.
class BLESocketClientImpl final : public SocketClient,
                                  public std::enable_shared_from_this<BLESocketClientImpl> {
public:
    static std::shared_ptr<BLESocketClientImpl> make(std::string serviceUUID,
                                                     std::string notifyCharacteristicUUID,
                                                     std::string writeCharacteristicUUID,
                                                     base::Dispatch& dispatch,
                                                     base::NotificationCenter& notifications,
                                                     BleCentralFactory centralFactory);
    ~BLESocketClientImpl() override;

    void addDelegate(std::shared_ptr<SocketDelegate> delegate) override;
    void removeDelegate(const std::shared_ptr<SocketDelegate>& delegate) override;
    // Only from the created state: asks for a central and a serial queue of its own.
    void open() override;
    // Drops the listeners; the closure is announced to nobody.
    void close() override;
    // Only while connected; one write without response to the write characteristic.
    void send(const Bytes& bytes) override;
    // Runs on the client's queue once the central has taken the write (no error) or refused
    // it (the central's reason); never for a write that was dropped (no link), so a sender
    // waiting on it ends with the link instead.
    using WriteTaken = std::function<void(const ErrorText& refusal)>;
    // As send(), and `taken` follows when the central has taken or refused this write. Any
    // thread.
    void send(const Bytes& bytes, WriteTaken taken);
    // The longest write the connection carries, where the central tells it.
    std::optional<std::size_t> maximumWriteLength() const;

    const std::string& serviceUUID() const { return serviceUUID_; }
    const std::string& notifyCharacteristicUUID() const { return notifyUUID_; }
    const std::string& writeCharacteristicUUID() const { return writeUUID_; }
    std::optional<PeripheralId> discoveredPeripheral() const;

    // The name prefix of the chair (case-sensitive) and the loudest RSSI taken seriously.
    static constexpr const char* kNamePrefix = "Vornalex";
    static constexpr int kStrongestPlausibleRssi = -15;
    static constexpr const char* kQueueLabel = "com.vornalex.remote.ble-client";

private:
    friend class CentralEventRelay;

    BLESocketClientImpl(std::string serviceUUID, std::string notifyUUID, std::string writeUUID,
                        base::Dispatch& dispatch, base::NotificationCenter& notifications,
                        BleCentralFactory centralFactory);

    // Central events; all run on centralQueue_.
    void centralStateChanged(ManagerState state);
    void didDiscover(const PeripheralId& peripheral, const std::optional<std::string>& name,
                     int rssi);
    void didConnect(const PeripheralId& peripheral);
    void didFailToConnect(const PeripheralId& peripheral, const std::string& error);
    void didDisconnect(const PeripheralId& peripheral);
    void didDiscoverServices(const PeripheralId& peripheral, const ErrorText& error);
    void didDiscoverCharacteristics(const PeripheralId& peripheral, const std::string& service,
                                    const ErrorText& error);
    void didUpdateValue(const Bytes& value, const ErrorText& error);
    void didUpdateNotificationState(const PeripheralId& peripheral,
                                    const std::string& characteristic, bool notifying,
                                    const ErrorText& error);
    void isReadyToSendWriteWithoutResponse(const PeripheralId& peripheral);
    void didFailToWriteWithoutResponse(const PeripheralId& peripheral, const std::string& error);
    // The next write in order was taken (no error) or refused.
    void writeSettled(const ErrorText& refusal);

    void cleanup();
    std::shared_ptr<BleCentral> currentCentral() const;
    void findWriteCharacteristic(const PeripheralId& peripheral);

    // Listener fan-out; each calls a snapshot of the listeners.
    void didConnected();
    void didClosed();
    void didError(const std::string& error);
    void didReceived(const Bytes& bytes);
    std::set<std::shared_ptr<SocketDelegate>> delegateSnapshot() const;

    struct WriteTarget {
        std::string service;
        std::string characteristic;
    };

    const std::string serviceUUID_;
    const std::string notifyUUID_;
    const std::string writeUUID_;
    bool notifyCharacteristicReady_ = false;  // centralQueue_ only
    bool writeCharacteristicReady_ = false;   // centralQueue_ only
    base::Dispatch& dispatch_;
    base::NotificationCenter& notifications_;
    BleCentralFactory centralFactory_;

    mutable std::mutex mutex_;  // guards the fields below
    std::set<std::shared_ptr<SocketDelegate>> socketDelegates_;
    std::optional<PeripheralId> discoveredPeripheral_;
    std::optional<WriteTarget> writeCharacteristic_;
    std::shared_ptr<BleCentral> centralManager_;

    // Writes are numbered in the order the central receives them; the central reports each
    // one taken or refused in that order, which is when the waiter of that number runs.
    std::mutex writeMutex_;  // guards the three fields below and orders the writes
    std::uint64_t writesIssued_ = 0;
    std::uint64_t writesTaken_ = 0;
    std::deque<std::pair<std::uint64_t, WriteTaken>> takenWaiters_;

    // Set by open(); the destructor stops the central before these go.
    std::shared_ptr<base::SerialQueue> centralQueue_;
    std::unique_ptr<CentralEventRelay> relay_;
};

}  // namespace chairlink
