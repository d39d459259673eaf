#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "base/Clock.h"
#include "base/Dispatch.h"
#include "chair/ChairBehaviour.h"
#include "chair/ChairFaults.h"
#include "chair/ChairRadio.h"
#include "chair/ChairTimers.h"
#include "chair/ChairTimings.h"
#include "link/BleCentral.h"

namespace chair {

struct StandInOptions {
    RadioOptions radio{};
    ChairTimings timings{};
    // Quiet: advertises, connects and records writes, but sends only what notify() is given.
    bool quiet = false;
};

// A massage chair in software: BLE peripheral(s) and the chair behind them, reached through
// simulated centrals that the link's BLE client uses like a real one. Everything the chair
// does runs on its own serial queue and is timed on the given clock. The public operations
// may be called from any thread (the chair's own observers included); they return once the
// chair has taken them in.
class StandInChair : public std::enable_shared_from_this<StandInChair> {
public:
    using Observer = std::function<void(const Bytes&)>;

    static std::shared_ptr<StandInChair> create(base::Dispatch& dispatch, base::Clock& clock,
                                                StandInOptions options = {});
    ~StandInChair();
    StandInChair(const StandInChair&) = delete;
    StandInChair& operator=(const StandInChair&) = delete;

    // Each call makes a new central for a new client.
    chairlink::BleCentralFactory centralFactory();

    void setQuiet(bool quiet);
    // Sends the value on FFE1 as it is, in quiet mode or not.
    void notify(const Bytes& value);

    ChairFaults faults() const;
    void setFaults(const ChairFaults& faults);
    void dropLink();
    // Stops or resumes advertising; a dropped link then stays down until it resumes.
    void setAdvertising(bool on);
    void stopNotifying();
    // The Bluetooth adapter as the centrals see it.
    void setBluetoothPoweredOn(bool on);
    // The radio's pace for the writes to come (see RadioOptions).
    void setRadioPace(double connectionInterval, int packetsPerEvent, int attMtu);
    // What one write may carry on a connection; any thread.
    std::size_t maximumWriteLength() const { return ChairRadio::maximumWriteLength(attMtu_); }

    // Every write the remote made to FFE2, in order.
    std::vector<Bytes> writes() const;
    void clearWrites();
    // Every value the chair notified, in order, as the central received it.
    std::vector<Bytes> notifications() const;
    // Observers run on the chair's queue for each write / each notified value.
    void setWriteObserver(Observer observer);
    void setNotificationObserver(Observer observer);

    ChairStatus status() const;
    std::size_t updatesCompleted() const;
    int connectAttempts() const;
    int connections() const;
    int liveConnections() const;
    // Centrals started and not yet stopped, one per live BLE client.
    int liveCentrals() const;
    // Writes that came over a connection that had already ended.
    int deadLinkWrites() const;

    std::shared_ptr<base::SerialQueue> queue() const { return queue_; }

private:
    friend class SimulatedCentral;

    StandInChair(base::Dispatch& dispatch, base::Clock& clock, StandInOptions options);
    void init();
    // On the chair's queue from here on.
    void received(const Bytes& value);
    void send(std::vector<Bytes> frames);
    void sendValues(const std::vector<Bytes>& values);
    // Runs the step on the chair's queue and waits for it.
    void onQueue(const std::function<void()>& step) const;

    base::Clock& clock_;
    StandInOptions options_;
    std::shared_ptr<base::SerialQueue> queue_;
    std::unique_ptr<ChairTimers> timers_;
    ChairFaults faults_;
    std::unique_ptr<ChairRadio> radio_;
    std::unique_ptr<ChairBehaviour> behaviour_;
    bool quiet_ = false;
    std::atomic<int> attMtu_;
    std::vector<Bytes> writes_;
    std::vector<Bytes> notifications_;
    Observer writeObserver_;
    Observer notificationObserver_;
};

}  // namespace chair
