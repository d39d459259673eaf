#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/SerialQueue.h"
#include "link/BleCentral.h"

namespace chair {

using chairlink::BleCentralEvents;
using chairlink::BleServiceInfo;
using chairlink::ErrorText;
using chairlink::ManagerState;
using chairlink::PeripheralId;

// One simulated central's side of the radio: what it is connected to and has discovered,
// and the road of its events to the client's queue. The chair writes the state on its own
// queue; the client reads it from its queue, hence the lock.
class CentralLink : public std::enable_shared_from_this<CentralLink> {
public:
    using Event = std::function<void(BleCentralEvents&)>;

    void attach(BleCentralEvents& events, std::shared_ptr<base::SerialQueue> queue);
    // After this returns no event reaches the listener, except from a delivery already
    // running on the calling thread.
    void detach();
    bool attached() const;
    // Queues the event for the client's queue; dropped once detached. Any thread.
    void deliver(Event event);

    ManagerState managerState() const;
    void setManagerState(ManagerState state);

    bool scanning() const;
    bool scanDuplicates() const;
    void setScanning(bool scanning, bool duplicates = false);

    std::optional<PeripheralId> connected() const;
    bool isConnected(const PeripheralId& peripheral) const;
    // Connecting forgets what an earlier connection discovered.
    void setConnected(std::optional<PeripheralId> peripheral);

    std::optional<std::vector<BleServiceInfo>> services(const PeripheralId& peripheral) const;
    void setServices(std::vector<BleServiceInfo> services);
    // Adds the characteristic to a discovered service; false when that service is unknown.
    bool addCharacteristic(const std::string& service, const std::string& characteristic);
    bool hasCharacteristic(const std::string& service, const std::string& characteristic) const;
    bool notifying(const std::string& characteristic) const;
    void setNotifying(const std::string& characteristic, bool notifying);

private:
    void run(const Event& event);

    mutable std::mutex mutex_;
    BleCentralEvents* events_ = nullptr;
    std::shared_ptr<base::SerialQueue> queue_;
    ManagerState managerState_ = ManagerState::Unknown;
    bool scanning_ = false;
    bool scanDuplicates_ = false;
    std::optional<PeripheralId> connected_;
    std::optional<std::vector<BleServiceInfo>> services_;
    // Held while an event runs, so detach() from another thread waits for it to end.
    // Recursive: the client may stop its central from inside an event.
    std::recursive_mutex delivering_;
};

}  // namespace chair
