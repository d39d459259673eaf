#pragma once

#include <QLowEnergyService>
#include <QObject>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "bluetooth/CentralOutbox.h"
#include "link/UpdateUpload.h"

namespace bluetooth {

// One GATT service of a connected peripheral: characteristic discovery (one answer per
// request), notifications switched through the client configuration descriptor, values
// notified by the peripheral, and writes without response. Belongs to one link; a new link
// needs a new one, since Qt's service object dies with the connection. Bluetooth thread only.
class GattServiceLink : public QObject {
    Q_OBJECT
public:
    GattServiceLink(QLowEnergyService* service, chairlink::PeripheralId peripheral,
                    CentralOutbox& outbox, QObject* parent = nullptr);
    ~GattServiceLink() override;

    const std::string& uuid() const { return uuid_; }
    // An empty list asks for every characteristic.
    void discoverCharacteristics(const std::vector<std::string>& wanted);
    void setNotify(const std::string& characteristic, bool enabled);
    // False when the characteristic is not known, so nothing was handed to Qt. Each write
    // handed over is reported taken once BlueZ has answered it (see startFence), or refused.
    bool writeWithoutResponse(const std::string& characteristic, const chairlink::Bytes& value);

    // The text of a service error, in Qt's own words.
    static std::string errorText(QLowEnergyService::ServiceError error);
    // Half of what the upload keeps in flight, so one fence's writes go out while the next
    // ones wait behind it. 47 + 1 packets fill whole connection events of 1, 4 or 8 packets.
    static constexpr std::size_t kWritesPerFence = chairlink::kUpdatePiecesInFlight / 2;

private:
    struct NotifyRequest {
        std::string characteristic;
        bool enabled;
    };

    void stateChanged(QLowEnergyService::ServiceState state);
    void descriptorWritten(const QLowEnergyDescriptor& descriptor, const QByteArray& value);
    void failed(QLowEnergyService::ServiceError error);
    void answerCharacteristicRequests(const chairlink::ErrorText& error);
    std::vector<std::string> found(const std::vector<std::string>& wanted) const;
    void notificationRefused(const std::string& characteristic, const std::string& error);
    // Qt gives no signal for a write without response, but it runs its requests one after
    // another, each once BlueZ has answered the one before. So a descriptor read queued
    // behind the writes is answered only when BlueZ has taken them: that read is the fence.
    // While a read is pending Qt hands BlueZ nothing, so each fence costs the radio a round
    // trip: one follows every kWritesPerFence writes (and covers a shorter run only when none
    // is pending), and the writes after it wait in Qt's queue meanwhile.
    void startFence();
    void fenceAnswered();

    std::unique_ptr<QLowEnergyService> service_;
    const chairlink::PeripheralId peripheral_;
    const std::string uuid_;
    CentralOutbox& outbox_;
    std::vector<std::vector<std::string>> characteristicRequests_;
    // Qt runs descriptor writes one after another; answers come back in this order.
    std::deque<NotifyRequest> notifyRequests_;
    std::size_t unfencedWrites_ = 0;  // handed to Qt, no fence behind them yet
    std::deque<std::size_t> fences_;  // the writes each pending fence covers, oldest first
    QLowEnergyDescriptor fence_;
};

}  // namespace bluetooth
