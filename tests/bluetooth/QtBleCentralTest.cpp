// The Qt central against a mock BlueZ on a private bus: what the BLE client relies on, as Qt's
// own BlueZ D-Bus client delivers it.
#include <gtest/gtest.h>

#include "CentralFixture.h"
#include "base/Log.h"
#include "bluetooth/BleUuid.h"

namespace bluetooth::testing {
namespace {

using chairlink::ManagerState;

using QtBleCentralTest = CentralFixture;

TEST_F(QtBleCentralTest, ReportsTheAdapterSwitchOnlyWhenItChangesAndNoAdapterAsOff) {
    startCentral();
    auto first = events_->waitFor("state");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->state, ManagerState::PoweredOn);
    EXPECT_TRUE(first->onQueue);
    // Scanning makes the adapter discoverable: a host-mode change that is no power change.
    central_->scan("FFE0", true);
    mock_->setPowered(false);
    ASSERT_TRUE(events_->waitFor([](const CentralEvent& e) {
        return e.kind == "state" && e.state == ManagerState::PoweredOff;
    }));
    EXPECT_EQ(central_->state(), ManagerState::PoweredOff);
    mock_->setPowered(true);
    ASSERT_TRUE(events_->waitForCount(isKind("state"), 3));
    auto states = events_->matching(isKind("state"));
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[2].state, ManagerState::PoweredOn);

    // Without an adapter Bluetooth is off.
    base::LogCapture log;
    mock_->removeAdapter();
    auto& central = startCentral();
    auto state = events_->waitFor("state");
    ASSERT_TRUE(state);
    EXPECT_EQ(state->state, ManagerState::PoweredOff);
    central.connect(kChairAddress);
    EXPECT_TRUE(events_->waitFor("fail"));
    EXPECT_TRUE(log.contains("No Bluetooth adapter found; Bluetooth stays off"));
}

TEST_F(QtBleCentralTest, ScanReportsOnlyPeripheralsWithTheServiceAndRepeatsOnlyWhenAsked) {
    const QString decoy = mock_->addChair("C0:FF:EE:00:00:02", "Vornalex no FFE0", -40, false);
    const QString chair = mock_->addChair(kChairAddress, "Vornalex A1", -60, true);
    mock_->addChair("C0:FF:EE:00:00:03", "", -70, true);
    mock_->addChair("C0:FF:EE:00:00:04", "Vornalex quiet", 0, true);
    startCentral();
    ASSERT_TRUE(hear(kChairAddress));
    auto heard = events_->waitFor(isDiscoveryOf(kChairAddress));
    EXPECT_EQ(heard->name, "Vornalex A1");
    EXPECT_EQ(heard->rssi, -60);
    auto nameless = events_->waitFor(isDiscoveryOf("C0:FF:EE:00:00:03"));
    ASSERT_TRUE(nameless);
    EXPECT_EQ(nameless->name, std::nullopt);
    EXPECT_EQ(nameless->rssi, -70);
    auto unheard = events_->waitFor(isDiscoveryOf("C0:FF:EE:00:00:04"));
    ASSERT_TRUE(unheard);
    EXPECT_EQ(unheard->rssi, 127);
    // All that BlueZ knew was reported in one pass; the decoy was among it.
    EXPECT_TRUE(events_->matching(isDiscoveryOf("C0:FF:EE:00:00:02")).empty());
    EXPECT_EQ(mock_->callCount(decoy, "Connect"), 0u);

    // RSSI changes count as advertisements, once each.
    mock_->setRssi(chair, -55);
    mock_->setRssi(chair, -50);
    ASSERT_TRUE(events_->waitFor(
        [](const CentralEvent& e) { return e.kind == "discover" && e.rssi == -50; }));
    auto chairs = events_->matching(isDiscoveryOf(kChairAddress));
    ASSERT_EQ(chairs.size(), 3u);
    EXPECT_EQ(chairs[1].rssi, -55);

    // Without duplicates each peripheral is reported once.
    startCentral().scan("FFE0", false);
    ASSERT_TRUE(events_->waitFor(isDiscoveryOf(kChairAddress)));
    mock_->setRssi(chair, -45);
    // Another peripheral's news marks the point by which the chair's would have come.
    mock_->addChair("C0:FF:EE:00:00:06", "Late", -70, true);
    ASSERT_TRUE(events_->waitFor(isDiscoveryOf("C0:FF:EE:00:00:06")));
    EXPECT_EQ(events_->matching(isDiscoveryOf(kChairAddress)).size(), 1u);
}

// Writes, and a write BlueZ refuses (more than the default MTU carries), are the whole link's
// test over BlueZ, where the refusal fails an update and the link goes on.
TEST_F(QtBleCentralTest, RunsALinkToTheChairUntilItIsCancelledOrStopped) {
    const QString chair = mock_->addChair(kChairAddress, "Vornalex A1", -60, true);
    ASSERT_TRUE(linkUp(kChairAddress));
    EXPECT_TRUE(central_->isConnected(kChairAddress));
    EXPECT_FALSE(central_->isConnected("C0:FF:EE:00:00:99"));
    // The picture's characteristics are the outbox's test, and the client finds its own in it
    // over BlueZ in the whole link's; here, that the subscription shows and reached BlueZ.
    EXPECT_TRUE(central_->services(kChairAddress)->at(0).characteristics.at(0).notifying);
    EXPECT_EQ(mock_->callCount(chair + "/service0010/char0011", "StartNotify"), 1u);

    central_->setNotify(kChairAddress, "FFE0", "FFE1", false);
    auto stopped =
        events_->waitFor([](const CentralEvent& e) { return e.kind == "notify" && !e.notifying; });
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->error, std::nullopt);
    EXPECT_FALSE(central_->services(kChairAddress)->at(0).characteristics.at(0).notifying);
    EXPECT_NE(mock_->notify(chair, {0xAA}), "");

    central_->cancelConnection(kChairAddress);
    auto ended = events_->waitFor("disconnect");
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->error, std::nullopt);
    EXPECT_FALSE(central_->isConnected(kChairAddress));
    EXPECT_EQ(central_->services(kChairAddress), std::nullopt);
    EXPECT_EQ(mock_->callCount(chair, "Disconnect"), 1u);

    // A stopped central hears nothing, but its picture follows the link. Losing the link and
    // linking again with a new central is the whole link's test over BlueZ.
    ASSERT_TRUE(linkUp(kChairAddress));
    const std::size_t before = events_->matching().size();
    central_->stop();
    mock_->dropLink(chair);
    // The picture follows the loss before the (now silenced) event would be posted.
    ASSERT_TRUE(waitUntil([&] { return !central_->isConnected(kChairAddress); }));
    queue_->waitUntilIdle();
    EXPECT_EQ(events_->matching().size(), before);
}

TEST_F(QtBleCentralTest, ConnectionsThatNeverComeUpTimeOutAndUnknownPeripheralsFail) {
    const QString silent = mock_->addChair(kChairAddress, "Vornalex mute", -60, true, "silent");
    auto& central = startCentral();
    ASSERT_TRUE(hear(kChairAddress));
    central.connect(kChairAddress);
    ASSERT_TRUE(waitUntil([&] { return mock_->callCount(silent, "Connect") == 1; }));
    ASSERT_TRUE(waitUntil([&] { return clock_.pendingCount() == 1; }));
    clock_.advance(9.9);
    EXPECT_EQ(clock_.pendingCount(), 1u);  // not yet
    clock_.advance(0.1);
    auto failed = events_->waitFor("fail");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->peripheral, kChairAddress);
    EXPECT_EQ(failed->error, "Connection timed out after 10 s");
    EXPECT_TRUE(failed->onQueue);
    // The pending attempt is called off at BlueZ too, not left running.
    EXPECT_TRUE(waitUntil([&] { return mock_->callCount(silent, "Disconnect") >= 1; }));
    EXPECT_TRUE(events_->matching(isKind("connect")).empty());

    central.connect("C0:FF:EE:00:00:77");
    auto unknown = events_->waitFor([](const CentralEvent& e) {
        return e.kind == "fail" && e.peripheral == "C0:FF:EE:00:00:77";
    });
    ASSERT_TRUE(unknown && unknown->error);
    EXPECT_FALSE(unknown->error->empty());
    EXPECT_TRUE(waitUntil([&] { return clock_.pendingCount() == 0; }));
}

TEST(BleUuidTest, ShortIdentifiersReadAsFourDigitsOthersKeepTheirFullFormAndNonsenseIsNull) {
    EXPECT_EQ(uuidText(QBluetoothUuid(quint16(0x0A))), "000A");
    EXPECT_EQ(uuidText(QBluetoothUuid(QString("0000ffe1-0000-1000-8000-00805f9b34fb"))), "FFE1");
    const QBluetoothUuid custom(QString("{6e400001-b5a3-f393-e0a9-e50e24dcca9e}"));
    EXPECT_EQ(uuidText(custom), "6E400001-B5A3-F393-E0A9-E50E24DCCA9E");
    EXPECT_EQ(uuidFromText(uuidText(custom)), custom);
    for (const char* ffe0 : {"FFE0", "ffe0", "0xFFE0", "0000ffe0-0000-1000-8000-00805f9b34fb",
                             "{0000FFE0-0000-1000-8000-00805F9B34FB}"})
        EXPECT_EQ(uuidFromText(ffe0), QBluetoothUuid(quint16(0xFFE0))) << ffe0;
    for (const char* nonsense : {"", "FFZ0", "not-a-uuid"})
        EXPECT_TRUE(uuidFromText(nonsense).isNull()) << nonsense;
}

}  // namespace
}  // namespace bluetooth::testing
