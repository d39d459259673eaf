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
    // False when the characteristic is not known, so nothing was handed to Qt.
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

    std::unique_ptr<QLowEnergyService> service_;
    const chairlink::PeripheralId peripheral_;
    const std::string uuid_;
    CentralOutbox& outbox_;
    std::vector<std::vector<std::string>> characteristicRequests_;
    // Qt runs descriptor writes one after another; answers come back in this order.
    std::deque<NotifyRequest> notifyRequests_;
};

}  // namespace bluetooth
