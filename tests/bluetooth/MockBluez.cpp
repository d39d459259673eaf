#include "MockBluez.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <thread>

#ifndef MOCK_BLUEZ_SCRIPT
#error "MOCK_BLUEZ_SCRIPT must name tests/bluetooth/mock_bluez.py"
#endif

namespace bluetooth::testing {

namespace {

constexpr int kMissingPackages = 77;
constexpr int kStartTimeoutMs = 20000;

std::unique_ptr<MockBluez>& slot() {
    static std::unique_ptr<MockBluez> mock;
    return mock;
}

QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                  const QList<QVariant>& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall("org.bluez", path, interface, method);
    message.setArguments(arguments);
    return QDBusConnection::systemBus().call(message);
}

QString adapterPath() {
    return QString("/org/bluez/") + MockBluez::kAdapter;
}

// Mock controls must work; a failure here is a broken test setup, not a finding.
QDBusMessage callMock(const QString& method, const QList<QVariant>& arguments) {
    QDBusMessage reply = call("/", "org.bluez.Mock", method, arguments);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        qWarning("mock BlueZ %s failed: %s", qPrintable(method), qPrintable(reply.errorMessage()));
    }
    return reply;
}

}  // namespace

MockBluez* MockBluez::instance(std::string* whyNot) {
    static std::string failure;
    if (!slot() && failure.empty()) {
        std::unique_ptr<MockBluez> mock(new MockBluez());
        if (mock->start(&failure)) slot() = std::move(mock);
    }
    if (!slot() && whyNot) *whyNot = failure;
    return slot().get();
}

void MockBluez::shutDown() {
    slot().reset();
}

MockBluez::~MockBluez() {
    process_.closeWriteChannel();  // the launcher ends the bus and the mock on this
    if (!process_.waitForFinished(5000)) process_.kill();
}

bool MockBluez::start(std::string* whyNot) {
    process_.setProgram("/usr/bin/python3");
    process_.setArguments({MOCK_BLUEZ_SCRIPT});
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    if (!process_.waitForStarted(5000)) {
        *whyNot = "cannot run /usr/bin/python3 (install python3-dbusmock: scripts/install-deps)";
        return false;
    }
    QByteArray line;
    while (!line.contains('\n') && process_.waitForReadyRead(kStartTimeoutMs)) {
        line += process_.readAllStandardOutput();
    }
    const QByteArray prefix = "DBUS_SYSTEM_BUS_ADDRESS=";
    if (!line.startsWith(prefix)) {
        process_.waitForFinished(5000);
        const QString error = QString::fromUtf8(process_.readAllStandardError()).trimmed();
        *whyNot = process_.exitCode() == kMissingPackages
                      ? "missing packages for the mock BlueZ: " + error.toStdString() +
                            " (scripts/install-deps installs them)"
                      : "the mock BlueZ did not start: " + error.toStdString();
        return false;
    }
    // Before anything in this process opens the system bus.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", line.mid(prefix.size()).trimmed());
    // Qt takes the mock for BlueZ 3 and would pick its kernel ATT backend; this selects the
    // D-Bus one, which is what runs against a real bluetoothd of that version.
    qputenv("BLUETOOTH_FORCE_DBUS_LE_VERSION", "5.66");
    qDBusRegisterMetaType<QList<QByteArray>>();
    // Qt holds back the signals of a bus connection opened on the main thread until that
    // thread's event loop runs, which it never does here; opened on another thread, the
    // connection delivers at once.
    std::thread([] { QDBusConnection::systemBus(); }).join();
    return true;
}

QString MockBluez::addChair(const QString& address, const QString& name, int rssi,
                            bool advertisesChairService, const QString& behaviour) {
    QDBusMessage reply = callMock(
        "AddChair", {QString(kAdapter), address, name, QVariant::fromValue<qint16>(qint16(rssi)),
                     advertisesChairService, behaviour});
    return reply.arguments().value(0).value<QDBusObjectPath>().path();
}

void MockBluez::setRssi(const QString& device, int rssi) {
    callMock("SetRssi", {QVariant::fromValue(QDBusObjectPath(device)),
                         QVariant::fromValue<qint16>(qint16(rssi))});
}

QString MockBluez::notify(const QString& device, const chairlink::Bytes& value) {
    QDBusMessage reply =
        call("/", "org.bluez.Mock", "Notify",
             {QVariant::fromValue(QDBusObjectPath(device)),
              QByteArray(reinterpret_cast<const char*>(value.data()), qsizetype(value.size()))});
    return reply.type() == QDBusMessage::ErrorMessage ? reply.errorMessage() : QString();
}

void MockBluez::dropLink(const QString& device) {
    callMock("DropLink", {QVariant::fromValue(QDBusObjectPath(device))});
}

void MockBluez::setMtu(const QString& device, unsigned mtu) {
    callMock("SetMtu", {QVariant::fromValue(QDBusObjectPath(device)),
                        QVariant::fromValue(quint16(mtu))});
}

std::vector<chairlink::Bytes> MockBluez::writes(const QString& device) {
    QDBusReply<QList<QByteArray>> reply =
        callMock("WrittenValues", {QVariant::fromValue(QDBusObjectPath(device))});
    std::vector<chairlink::Bytes> result;
    for (const QByteArray& value : reply.value()) result.emplace_back(value.begin(), value.end());
    return result;
}

unsigned MockBluez::callCount(const QString& path, const QString& method) {
    QDBusMessage reply =
        callMock("CallCount", {QVariant::fromValue(QDBusObjectPath(path)), method});
    return reply.arguments().value(0).toUInt();
}

bool MockBluez::isConnected(const QString& device) {
    QDBusReply<QDBusVariant> reply = call(device, "org.freedesktop.DBus.Properties", "Get",
                                          {QString("org.bluez.Device1"), QString("Connected")});
    return reply.isValid() && reply.value().variant().toBool();
}

void MockBluez::setPowered(bool on) {
    call(
        adapterPath(), "org.freedesktop.DBus.Properties", "Set",
        {QString("org.bluez.Adapter1"), QString("Powered"), QVariant::fromValue(QDBusVariant(on))});
}

void MockBluez::removeAdapter() {
    callMock("RemoveAdapterWithDevices", {QString(kAdapter)});
    adapterPresent_ = false;
}

void MockBluez::addAdapter() {
    callMock("AddAdapter", {QString(kAdapter), QString("massage-remote test host")});
    adapterPresent_ = true;
}

void MockBluez::reset() {
    if (!adapterPresent_) addAdapter();
    callMock("RemoveAllDevices", {QString(kAdapter)});
    setPowered(true);
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace bluetooth::testing
