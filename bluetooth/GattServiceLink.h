#pragma once

#include <QLowEnergyService>
#include <QObject>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "bluetooth/CentralOutbox.h"

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
    // handed over is reported taken once BlueZ has answered it (see startFence).
    bool writeWithoutResponse(const std::string& characteristic, const chairlink::Bytes& value);

    // The text of a service error, in Qt's own words.
    static std::string errorText(QLowEnergyService::ServiceError error);

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
    std::size_t fencedWrites_ = 0;    // covered by the fence under way (0: none)
    QLowEnergyDescriptor fence_;
};

}  // namespace bluetooth
