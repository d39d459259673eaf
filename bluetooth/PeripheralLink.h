#pragma once

#include <QBluetoothDeviceInfo>
#include <QLowEnergyController>
#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bluetooth/CentralOutbox.h"
#include "bluetooth/GattServiceLink.h"

namespace bluetooth {

// One connection to one peripheral through its own QLowEnergyController, from the attempt
// to the end of the link; a later connection gets a new one (Qt's objects of a dropped link
// are dead). Turns what the controller reports into the central's events: a failure before
// the link is up is a failed connection, a failure while services are being found answers
// that request, a failure later is carried by the disconnection. Bluetooth thread only.
class PeripheralLink : public QObject {
    Q_OBJECT
public:
    // What the owner hears (on this thread): the attempt came through, or the link is over
    // (the owner then releases the link once the call has returned).
    struct Owner {
        std::function<void()> connected;
        std::function<void()> ended;
    };

    PeripheralLink(const QBluetoothDeviceInfo& device, const QBluetoothAddress& adapter,
                   CentralOutbox& outbox, Owner owner, QObject* parent = nullptr);
    // Disconnects what is still connected or connecting.
    ~PeripheralLink() override;

    const chairlink::PeripheralId& peripheral() const { return peripheral_; }
    bool isConnecting() const { return phase_ == Phase::Connecting; }
    bool isOver() const { return phase_ == Phase::Over; }

    void open();
    // A connection that is still pending is given up and reported as failed with `reason`.
    void giveUp(const std::string& reason);
    // A pending connection is dropped without an event; a live one ends with a disconnection.
    void cancel();
    void discoverServices(const std::vector<std::string>& wanted);
    void discoverCharacteristics(const std::string& service,
                                 const std::vector<std::string>& wanted);
    void setNotify(const std::string& service, const std::string& characteristic, bool enabled);
    // True when the write was handed to Qt.
    bool writeWithoutResponse(const std::string& service, const std::string& characteristic,
                              const chairlink::Bytes& value);

private:
    enum class Phase { Idle, Connecting, Connected, Closing, Over };

    void connected();
    void failed(QLowEnergyController::Error error);
    void disconnected();
    void servicesFound();
    void finish();
    GattServiceLink* service(const std::string& uuid);
    std::string errorText() const;

    const chairlink::PeripheralId peripheral_;
    CentralOutbox& outbox_;
    Owner owner_;
    std::unique_ptr<QLowEnergyController> controller_;
    Phase phase_ = Phase::Idle;
    bool findingServices_ = false;
    bool servicesKnown_ = false;
    std::vector<std::string> wantedServices_;
    std::string lastError_;  // a failure of a live link, carried by its disconnection
    std::map<std::string, std::unique_ptr<GattServiceLink>> services_;
};

}  // namespace bluetooth
