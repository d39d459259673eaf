#include <gtest/gtest.h>

#include <algorithm>

#include "LinkWorld.h"
#include "link/BLESocketClientImpl.h"

namespace {

using chairlink::BLESocketClientImpl;
using chairlink::kSocketClosed;
using chairlink::kSocketConnected;
using chairlink::kSocketCreated;
using chairlink::kSocketOpening;
using linktest::FakePeripheral;
using linktest::hex;
using linktest::LinkWorld;
using linktest::RecordingDelegate;

class BleClient : public ::testing::Test {
protected:
    void SetUp() override {
        reconnects_ = base::ObserverRegistration(
            world.center,
            world.center.addObserver("RECONNECT", nullptr,
                                     [this](const base::Notification&) { ++reconnects; }));
    }
    void TearDown() override {
        client.reset();
        world.settle();
    }

    void open(FakePeripheral chair = LinkWorld::chair()) {
        world.radio.addPeripheral(std::move(chair));
        openWithoutChair();
    }
    void openWithoutChair() {
        client = BLESocketClientImpl::make("FFE0", "FFE1", "FFE2", world.dispatch, world.center,
                                           world.radio.factory());
        client->addDelegate(delegate);
        client->open();
        world.settle();
    }
    // Position of a log line, so tests can check the order of steps.
    long lineAt(const std::string& line) const {
        auto lines = world.logs.lines();
        auto it = std::find(lines.begin(), lines.end(), line);
        return it == lines.end() ? -1 : it - lines.begin();
    }

    LinkWorld world;
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::shared_ptr<BLESocketClientImpl> client;
    std::atomic<int> reconnects{0};
    base::ObserverRegistration reconnects_;
};

TEST_F(BleClient, RunsTheWholeConnectionSequenceAndLogsEveryStepInOrder) {
    open();
    EXPECT_EQ(client->state(), kSocketConnected);
    EXPECT_EQ(delegate->connected, 1);
    std::vector<std::string> steps = {"Scanning started",
                                      "Discovered Vornalex-R7 at -50",
                                      "Connecting to peripheral chair-1",
                                      "Peripheral Connected",
                                      "Scanning stopped",
                                      "Notification began on FFE1"};
    long previous = -1;
    for (auto& step : steps) {
        long at = lineAt(step);
        EXPECT_GT(at, previous) << step;
        previous = at;
    }
    EXPECT_EQ(world.radio.connectAttempts(), std::vector<std::string>{"chair-1"});
}

TEST_F(BleClient, EitherOrderOfTheCharacteristicAnswersGivesExactlyOneConnected) {
    for (bool reverse : {false, true}) {
        delegate = std::make_shared<RecordingDelegate>();
        world.radio.setReverseCharacteristicAnswers(reverse);
        open();
        EXPECT_EQ(client->state(), kSocketConnected) << reverse;
        EXPECT_EQ(delegate->connected, 1) << reverse;
        client.reset();
        world.settle();
    }
}

TEST_F(BleClient, TakesTheFirstPlausibleChairByNamePrefixAndSignal) {
    auto advertiser = [](std::string id, std::optional<std::string> name, int rssi) {
        FakePeripheral p;
        p.id = std::move(id);
        p.name = std::move(name);
        p.rssi = rssi;
        return p;
    };
    world.radio.addPeripheral(advertiser("loud", "Vornalex-loud", -14));
    world.radio.addPeripheral(advertiser("noreading", "Vornalex-none", 127));
    world.radio.addPeripheral(advertiser("case", "vornalex-1", -40));
    world.radio.addPeripheral(advertiser("later", "My Vornalex", -40));
    world.radio.addPeripheral(advertiser("nameless", std::nullopt, -40));
    world.radio.addPeripheral(advertiser("edge", "Vornalex", -15));
    world.radio.addPeripheral(advertiser("second", "Vornalex-2", -30));
    openWithoutChair();
    // Only the first match is ever tried, though the second is heard twice afterwards.
    EXPECT_EQ(world.radio.connectAttempts(), std::vector<std::string>{"edge"});
    EXPECT_EQ(client->discoveredPeripheral(), "edge");
    EXPECT_EQ(delegate->connected, 1);
    EXPECT_FALSE(world.logs.contains("Discovered Vornalex-loud at -14"));
    EXPECT_FALSE(world.logs.contains("Discovered Vornalex-none at 127"));
    EXPECT_TRUE(world.logs.contains("Discovered vornalex-1 at -40"));
    EXPECT_TRUE(world.logs.contains("Discovered (null) at -40"));
    EXPECT_TRUE(world.logs.contains("Discovered Vornalex at -15"));
}

TEST_F(BleClient, OpeningTwiceDoesNothingMore) {
    open();
    client->open();
    world.settle();
    EXPECT_EQ(world.radio.centralsMade(), 1);
    EXPECT_EQ(world.logs.count("Scanning started"), 1u);
    EXPECT_EQ(delegate->connected, 1);
}

TEST_F(BleClient, CloseUnsubscribesDisconnectsAndNeverReachesSocketClosed) {
    open();
    client->close();
    world.settle();
    EXPECT_EQ(client->state(), kSocketClosed);
    EXPECT_EQ(delegate->closed, 0);
    EXPECT_TRUE(world.logs.contains("Notification stopped on FFE1.  Disconnecting"));
    EXPECT_TRUE(world.logs.contains("Peripheral Disconnected"));
    EXPECT_EQ(reconnects, 1);
    // Closed clients keep nobody: later values reach no listener.
    world.radio.notify(hex("AA55 01 B1 B2 0D0A"));
    world.settle();
    EXPECT_TRUE(delegate->received().empty());
}

TEST_F(BleClient, WritesWithoutResponseOnlyWhileConnectedAndNeverSplits) {
    world.radio.setHoldConnections(true);
    open();
    EXPECT_EQ(client->state(), kSocketOpening);
    client->send(hex("AA55 01 31 32 0D0A"));
    world.radio.releaseConnection();
    world.settle();
    ASSERT_EQ(client->state(), kSocketConnected);
    EXPECT_TRUE(world.radio.writes().empty());

    chairlink::Bytes big(205, 0x5A);
    client->send(big);
    client->send(hex("AA55 01 61 62 0D0A"));
    auto writes = world.radio.writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].characteristic, "FFE2");
    EXPECT_EQ(writes[0].value, big);
    EXPECT_EQ(writes[1].value, hex("AA55 01 61 62 0D0A"));
    // The write characteristic is searched for once, on the first write.
    EXPECT_EQ(world.logs.count("Service UUID: FFE0"), 1u);
    EXPECT_EQ(world.logs.count("Characteristic UUID: FFE2"), 1u);
}

TEST_F(BleClient, NotifiedValuesReachTheListenersInOrder) {
    open();
    world.radio.notify(hex("AA55"));
    world.radio.notify(hex("01 B1 B2 0D0A"));
    world.settle();
    EXPECT_EQ(delegate->received(),
              (std::vector<chairlink::Bytes>{hex("AA55"), hex("01 B1 B2 0D0A")}));
}

TEST_F(BleClient, ADroppedLinkPostsReconnectAndLeavesTheStateConnected) {
    open();
    world.radio.dropLink();
    world.settle();
    EXPECT_EQ(reconnects, 1);
    EXPECT_EQ(client->state(), kSocketConnected);
    EXPECT_FALSE(client->discoveredPeripheral());
    client->send(hex("AA55 01 61 62 0D0A"));
    EXPECT_TRUE(world.radio.writes().empty());
}

TEST_F(BleClient, AFailedConnectionReportsTheErrorClosesAndAsksForAnotherTry) {
    auto chair = LinkWorld::chair();
    chair.refuseConnection = true;
    open(chair);
    EXPECT_TRUE(world.logs.contains("Error: Failed to connect to chair-1. (Connection refused)"));
    EXPECT_EQ(delegate->errors, 1);
    EXPECT_EQ(delegate->connected, 0);
    EXPECT_EQ(client->state(), kSocketClosed);
    EXPECT_EQ(reconnects, 1);
}

TEST_F(BleClient, FailedServiceDiscoveryReportsClosesAndDisconnects) {
    auto chair = LinkWorld::chair();
    chair.serviceError = "no such service";
    open(chair);
    EXPECT_TRUE(world.logs.contains("Error: Error discovering services: no such service"));
    EXPECT_EQ(delegate->errors, 1);
    EXPECT_EQ(client->state(), kSocketClosed);
    EXPECT_TRUE(world.logs.contains("Peripheral Disconnected"));
    EXPECT_EQ(reconnects, 1);
}

TEST_F(BleClient, FailedCharacteristicDiscoveryClosesWithoutReportingAnError) {
    auto chair = LinkWorld::chair();
    chair.characteristicError = "gatt failure";
    open(chair);
    EXPECT_TRUE(world.logs.contains("Error: Error discovering characteristics: gatt failure"));
    EXPECT_EQ(delegate->errors, 0);
    EXPECT_EQ(delegate->connected, 0);
    EXPECT_EQ(client->state(), kSocketClosed);
    EXPECT_EQ(reconnects, 1);
}

TEST_F(BleClient, ACreatedClientSendsNothingAndClosesQuietly) {
    client = BLESocketClientImpl::make("FFE0", "FFE1", "FFE2", world.dispatch, world.center,
                                       world.radio.factory());
    EXPECT_EQ(client->state(), kSocketCreated);
    client->send(hex("AA55 01 61 62 0D0A"));
    client->close();
    EXPECT_EQ(client->state(), kSocketClosed);
    EXPECT_EQ(world.radio.centralsMade(), 0);
}

}  // namespace
