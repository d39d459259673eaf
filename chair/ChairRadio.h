#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chair/CentralLink.h"
#include "chair/ChairFaults.h"
#include "chair/ChairTimers.h"

namespace chair {

// A peripheral on the air. Only the chair offers the chair's service; decoys just advertise.
struct AdvertisedPeripheral {
    PeripheralId id;
    std::optional<std::string> name;
    int rssi = -60;
    bool isChair = false;
};

struct RadioOptions {
    std::string chairName = "Vornalex Chair";
    int chairRssi = -58;
    // Peripherals the scan filters must pass over, advertised before the chair.
    bool decoys = false;
    // Scans that allow duplicates hear every peripheral again after this long.
    double advertisingInterval = 0.25;
    // The radio's pace for writes without response: a connection event every this many
    // seconds carries at most packetsPerEvent of them, one write per packet, each taken when
    // its packet goes out. 0 takes every write at once.
    double connectionInterval = 0;
    int packetsPerEvent = 4;
    // The ATT MTU of every connection: a write longer than attMtu - 3 bytes is refused.
    int attMtu = 247;
};

// The identifiers the chair offers.
inline constexpr const char* kChairService = "FFE0";
inline constexpr const char* kNotifyCharacteristic = "FFE1";
inline constexpr const char* kWriteCharacteristic = "FFE2";
inline constexpr const char* kChairId = "chair";

// The peripheral side of the radio: advertising, connections, discovery and the
// subscription, for every simulated central. Runs on the chair's queue.
class ChairRadio {
public:
    using WriteSink = std::function<void(const Bytes&)>;

    ChairRadio(ChairTimers& timers, ChairFaults& faults, RadioOptions options, WriteSink sink);

    static std::vector<AdvertisedPeripheral> peripherals(const RadioOptions& options);
    // What one write may carry on a connection with this MTU.
    static std::size_t maximumWriteLength(int attMtu) {
        return std::size_t(std::max(attMtu, 23)) - 3;
    }
    // A new pace for the writes to come; those already queued keep their place.
    void setPace(double connectionInterval, int packetsPerEvent, int attMtu);

    void started(const std::shared_ptr<CentralLink>& link);
    void stopped(const std::shared_ptr<CentralLink>& link);
    void scan(const std::shared_ptr<CentralLink>& link, const std::string& service,
              bool duplicates);
    void stopScan(const std::shared_ptr<CentralLink>& link);
    void connect(const std::shared_ptr<CentralLink>& link, const PeripheralId& peripheral);
    void cancelConnection(const std::shared_ptr<CentralLink>& link, const PeripheralId& peripheral);
    void discoverServices(const std::shared_ptr<CentralLink>& link, const PeripheralId& peripheral,
                          const std::vector<std::string>& services);
    void discoverCharacteristics(const std::shared_ptr<CentralLink>& link,
                                 const PeripheralId& peripheral, const std::string& service,
                                 const std::vector<std::string>& characteristics);
    void setNotify(const std::shared_ptr<CentralLink>& link, const PeripheralId& peripheral,
                   const std::string& characteristic, bool enabled);
    void write(const std::shared_ptr<CentralLink>& link, const PeripheralId& peripheral,
               const std::string& characteristic, const Bytes& value);

    // The chair's side: a value on FFE1 to every subscribed central.
    void notify(const Bytes& value);
    void setPoweredOn(bool on);
    // While off, scans hear nothing of any peripheral; on again, scanning centrals hear the
    // peripherals at once.
    void setAdvertising(bool on);
    void dropLinks();
    void stopNotifying();

    int connectAttempts() const { return connectAttempts_; }
    int connections() const { return connections_; }
    int liveConnections() const;
    // Centrals started and not yet stopped: one for every BLE client still alive.
    int liveCentrals() const { return static_cast<int>(links_.size()); }
    // Writes that came over a connection that had already ended (or never was): what a
    // client sends after its link is gone, and any write still on its way when it went.
    int deadLinkWrites() const { return deadLinkWrites_; }

private:
    const AdvertisedPeripheral* find(const PeripheralId& id) const;
    void advertise(const std::weak_ptr<CentralLink>& link, const std::string& service);
    void disconnect(const std::shared_ptr<CentralLink>& link, const ErrorText& error);
    void answerCharacteristics(const std::shared_ptr<CentralLink>& link,
                               const PeripheralId& peripheral, const std::string& service,
                               const std::vector<std::string>& characteristics);
    bool connectedToChair(const std::shared_ptr<CentralLink>& link,
                          const PeripheralId& peripheral) const;
    // Carries the next packetsPerEvent queued writes; again a connection interval later
    // while any are left.
    void connectionEvent();
    void take(const std::shared_ptr<CentralLink>& link, const PeripheralId& peripheral,
              const Bytes& value);

    struct QueuedWrite {
        std::weak_ptr<CentralLink> link;
        PeripheralId peripheral;
        Bytes value;
    };

    struct HeldAnswer {
        std::weak_ptr<CentralLink> link;
        PeripheralId peripheral;
        std::string service;
        std::vector<std::string> characteristics;
    };

    ChairTimers& timers_;
    ChairFaults& faults_;
    RadioOptions options_;
    WriteSink sink_;
    std::vector<AdvertisedPeripheral> peripherals_;
    std::vector<std::shared_ptr<CentralLink>> links_;
    bool poweredOn_ = true;
    bool advertising_ = true;
    std::optional<HeldAnswer> held_;
    std::deque<QueuedWrite> air_;  // writes waiting for a connection event
    bool eventDue_ = false;
    // The repeating advertisement timer of each scanning central.
    std::map<const CentralLink*, ChairTimers::Id> adverts_;
    int connectAttempts_ = 0;
    int connections_ = 0;
    int deadLinkWrites_ = 0;
};

}  // namespace chair
