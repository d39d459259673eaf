#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QProcess>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/BleCentral.h"

#ifndef MOCK_BLUEZ_SCRIPT
#error "MOCK_BLUEZ_SCRIPT must name tests/bluetooth/mock_bluez.py"
#endif

namespace bluetooth::testing {

// A private D-Bus bus with a mock BlueZ (tests/bluetooth/mock_bluez.py), and the controls the
// tests use on it. Qt keeps its system-bus connection for the life of the process, so there is
// one mock per process: the first user starts it, main() ends it.
class MockBluez {
public:
    static constexpr const char* kAdapter = "hci0";

    // The running mock, or nullptr with `whyNot` set when it cannot run on this machine.
    static MockBluez* instance(std::string* whyNot) {
        static std::string failure;
        if (!slot() && failure.empty()) {
            std::unique_ptr<MockBluez> mock(new MockBluez());
            if (mock->start(&failure)) slot() = std::move(mock);
        }
        if (!slot() && whyNot) *whyNot = failure;
        return slot().get();
    }
    static void shutDown() { slot().reset(); }

    ~MockBluez() {
        process_.closeWriteChannel();  // the launcher ends the bus and the mock on this
        if (!process_.waitForFinished(5000)) process_.kill();
    }

    // The device's object path.
    QString addChair(const QString& address, const QString& name, int rssi,
                     bool advertisesChairService, const QString& behaviour = "chair") {
        return callMock("AddChair",
                        {QString(kAdapter), address, name, QVariant::fromValue(qint16(rssi)),
                         advertisesChairService, behaviour})
            .arguments()
            .value(0)
            .value<QDBusObjectPath>()
            .path();
    }
    void setRssi(const QString& device, int rssi) {
        callMock("SetRssi", {path(device), QVariant::fromValue(qint16(rssi))});
    }
    // Empty when the chair notified; the mock's refusal otherwise (e.g. nobody subscribed).
    QString notify(const QString& device, const chairlink::Bytes& value) {
        const QByteArray bytes(reinterpret_cast<const char*>(value.data()),
                               qsizetype(value.size()));
        QDBusMessage reply = call("/", "org.bluez.Mock", "Notify", {path(device), bytes});
        return reply.type() == QDBusMessage::ErrorMessage ? reply.errorMessage() : QString();
    }
    void dropLink(const QString& device) { callMock("DropLink", {path(device)}); }
    // The ATT MTU the chair agrees on (23, the LE default, until set).
    void setMtu(const QString& device, unsigned mtu) {
        callMock("SetMtu", {path(device), QVariant::fromValue(quint16(mtu))});
    }
    // The timed radio (chair_bluez_template.py tells how it runs): connection events every
    // `intervalMs` of model time with at most `perEvent` packets towards the chair each, and
    // the ATT MTU. An interval of 0 takes it away (the MTU stays).
    void setRadio(const QString& device, double intervalMs, unsigned perEvent, unsigned mtu) {
        callMock("SetRadio",
                 {path(device), intervalMs, perEvent, QVariant::fromValue(quint16(mtu))});
    }
    struct RadioReport {
        quint64 bytes = 0;       // carried to FFE2 since setRadio
        double seconds = 0;      // model time from the first write to the event of the last
        quint64 mostQueued = 0;  // the most bytes BlueZ held unsent at once
    };
    RadioReport radioReport(const QString& device) {
        const QList<QVariant> answer = callMock("RadioReport", {path(device)}).arguments();
        if (answer.size() != 3) return {};
        return {answer[0].toULongLong(), answer[1].toDouble(), answer[2].toULongLong()};
    }
    std::vector<chairlink::Bytes> writes(const QString& device) {
        QDBusReply<QList<QByteArray>> reply = callMock("WrittenValues", {path(device)});
        std::vector<chairlink::Bytes> result;
        for (const QByteArray& value : reply.value())
            result.emplace_back(value.begin(), value.end());
        return result;
    }
    unsigned callCount(const QString& object, const QString& method) {
        return callMock("CallCount", {path(object), method}).arguments().value(0).toUInt();
    }
    void setPowered(bool on) {
        call(QString("/org/bluez/") + kAdapter, "org.freedesktop.DBus.Properties", "Set",
             {QString("org.bluez.Adapter1"), QString("Powered"),
              QVariant::fromValue(QDBusVariant(on))});
    }
    void removeAdapter() {
        callMock("RemoveAdapterWithDevices", {QString(kAdapter)});
        adapterPresent_ = false;
    }
    void addAdapter() {
        callMock("AddAdapter", {QString(kAdapter), QString("massage-remote test host")});
        adapterPresent_ = true;
    }
    // Back to an adapter that is present and on, with no devices.
    void reset() {
        if (!adapterPresent_) addAdapter();
        callMock("RemoveAllDevices", {QString(kAdapter)});
        setPowered(true);
    }

private:
    MockBluez() = default;

    static std::unique_ptr<MockBluez>& slot() {
        static std::unique_ptr<MockBluez> mock;
        return mock;
    }
    static QVariant path(const QString& object) {
        return QVariant::fromValue(QDBusObjectPath(object));
    }
    static QDBusMessage call(const QString& object, const QString& interface, const QString& method,
                             const QList<QVariant>& arguments) {
        QDBusMessage message =
            QDBusMessage::createMethodCall("org.bluez", object, interface, method);
        message.setArguments(arguments);
        return QDBusConnection::systemBus().call(message);
    }
    // Mock controls must work; a failure here is a broken test setup, not a finding.
    static QDBusMessage callMock(const QString& method, const QList<QVariant>& arguments) {
        QDBusMessage reply = call("/", "org.bluez.Mock", method, arguments);
        if (reply.type() == QDBusMessage::ErrorMessage)
            qWarning("mock BlueZ %s failed: %s", qPrintable(method),
                     qPrintable(reply.errorMessage()));
        return reply;
    }

    bool start(std::string* whyNot) {
        process_.start("/usr/bin/python3", {MOCK_BLUEZ_SCRIPT});
        if (!process_.waitForStarted(5000)) {
            *whyNot = "cannot run /usr/bin/python3 (scripts/install-deps installs it)";
            return false;
        }
        QByteArray line;
        while (!line.contains('\n') && process_.waitForReadyRead(20000))
            line += process_.readAllStandardOutput();
        const QByteArray prefix = "DBUS_SYSTEM_BUS_ADDRESS=";
        if (!line.startsWith(prefix)) {
            process_.waitForFinished(5000);
            *whyNot = (process_.exitCode() == 77 ? "missing packages (scripts/install-deps): "
                                                 : "the mock BlueZ did not start: ") +
                      QString::fromUtf8(process_.readAllStandardError()).trimmed().toStdString();
            return false;
        }
        // Before anything in this process opens the system bus.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", line.mid(prefix.size()).trimmed());
        // Qt takes the mock for BlueZ 3 and would pick its kernel ATT backend; this selects the
        // D-Bus one, which is what runs against a real bluetoothd of that version.
        qputenv("BLUETOOTH_FORCE_DBUS_LE_VERSION", "5.66");
        qDBusRegisterMetaType<QList<QByteArray>>();
        // Qt holds back the signals of a connection opened on the main thread until that
        // thread's event loop runs, which it never does here; opened elsewhere, it delivers.
        std::thread([] { QDBusConnection::systemBus(); }).join();
        return true;
    }

    QProcess process_;
    bool adapterPresent_ = true;
};

// Polls `condition` until it holds or the deadline passes; for state outside this process.
inline bool waitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace bluetooth::testing
