#pragma once

#include <QProcess>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/BleCentral.h"

namespace bluetooth::testing {

// A private D-Bus bus with a mock BlueZ (tests/bluetooth/mock_bluez.py), and the controls the
// tests use on it. Qt keeps its system-bus connection for the life of the process, so there is
// one mock per process: the first user starts it, main() ends it.
class MockBluez {
public:
    static constexpr const char* kAdapter = "hci0";

    // The running mock, or nullptr with `whyNot` set when it cannot run on this machine.
    static MockBluez* instance(std::string* whyNot);
    static void shutDown();

    ~MockBluez();

    // Returns the device's object path.
    QString addChair(const QString& address, const QString& name, int rssi,
                     bool advertisesChairService, const QString& behaviour = "chair");
    void setRssi(const QString& device, int rssi);
    // Empty when the chair notified; the mock's refusal otherwise (e.g. nobody subscribed).
    QString notify(const QString& device, const chairlink::Bytes& value);
    void dropLink(const QString& device);
    // The ATT MTU the chair agrees on (23, the LE default, until set).
    void setMtu(const QString& device, unsigned mtu);
    std::vector<chairlink::Bytes> writes(const QString& device);
    unsigned callCount(const QString& path, const QString& method);
    bool isConnected(const QString& device);
    void setPowered(bool on);
    void removeAdapter();
    void addAdapter();
    // Back to an adapter that is present and on, with no devices.
    void reset();

private:
    MockBluez() = default;
    bool start(std::string* whyNot);

    QProcess process_;
    bool adapterPresent_ = true;
};

// Polls `condition` until it holds or the deadline passes; for state outside this process.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace bluetooth::testing
