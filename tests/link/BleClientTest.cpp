#include <algorithm>

#include "LinkWorld.h"
#include "link/BLESocketClientImpl.h"

namespace {

using chairlink::BLESocketClientImpl;
using chairlink::kSocketClosed;
using chairlink::kSocketConnected;
using linktest::FakePeripheral;
using linktest::hex;
using linktest::LinkWorld;
using linktest::RecordingDelegate;

class BleClient : public ::testing::Test {
protected:
    void TearDown() override {
        client.reset();
        world.settle();
    }
    void make() {
        client = BLESocketClientImpl::make("FFE0", "FFE1", "FFE2", world.dispatch, world.center,
                                           world.radio.factory());
    }
    void open(std::optional<FakePeripheral> chair = LinkWorld::chair()) {
        if (chair) world.radio.addPeripheral(*chair);
        make();
        client->addDelegate(delegate);
        client->open();
        world.settle();
    }

    LinkWorld world;
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::shared_ptr<BLESocketClientImpl> client;
    std::atomic<int> reconnects{0};
    base::ObserverRegistration reconnects_{
        world.center,
        world.center.addObserver(chairlink::kReconnectNotification, nullptr,
                                 [this](const base::Notification&) { ++reconnects; })};
};

// The answers to the two characteristic requests may come in either order: the stand-in
// chair's reversed answers are the chair behaviour tests'.
TEST_F(BleClient, ConnectsOnceLogsEveryStepInOrderRelaysValuesAndWritesWithoutSplitting) {
    open();
    client->open();  // does nothing more
    world.settle();
    EXPECT_EQ(client->state(), kSocketConnected);
    EXPECT_EQ(delegate->connected, 1);
    EXPECT_EQ(world.radio.connectAttempts(), std::vector<std::string>{"chair-1"});
    EXPECT_EQ(world.logs.count("Scanning started"), 1u);
    const auto lines = world.logs.lines();
    auto at = lines.begin();
    for (const char* step :
         {"Scanning started", "Discovered Vornalex-R7 at -50", "Connecting to peripheral chair-1",
          "Peripheral Connected", "Scanning stopped", "Notification began on FFE1"}) {
        at = std::find(at, lines.end(), step);
        EXPECT_NE(at, lines.end()) << step << " missing or out of order";
    }
    world.radio.notify(hex("AA55"));
    world.radio.notify(hex("01 B1 B2 0D0A"));
    world.settle();
    EXPECT_EQ(delegate->received(), (std::vector{hex("AA55"), hex("01 B1 B2 0D0A")}));
    // Nothing is written while the link opens: the session controller's test.
    chairlink::Bytes big(205, 0x5A);
    client->send(big);
    client->send(hex("AA55 01 61 62 0D0A"));
    EXPECT_EQ(world.radio.writtenValues(), (std::vector{big, hex("AA55 01 61 62 0D0A")}));
    // The write characteristic is searched for once, on the first write.
    EXPECT_EQ(world.logs.count("Service UUID: FFE0"), 1u);
    EXPECT_EQ(world.logs.count("Characteristic UUID: FFE2"), 1u);
    // A dropped link asks for another client and leaves this one's state as it was.
    world.radio.clearWrites();
    world.radio.dropLink();
    world.settle();
    EXPECT_EQ(reconnects, 1);
    EXPECT_EQ(client->state(), kSocketConnected);
    EXPECT_FALSE(client->discoveredPeripheral());
    client->send(hex("AA55 01 61 62 0D0A"));
    EXPECT_TRUE(world.radio.writtenValues().empty());
}

TEST_F(BleClient, TakesTheFirstPlausibleChairByNamePrefixAndSignal) {
    const FakePeripheral advertisers[] = {
        {.id = "loud", .name = "Vornalex-loud", .rssi = -14},
        {.id = "noreading", .name = "Vornalex-none", .rssi = 127},
        {.id = "case", .name = "vornalex-1", .rssi = -40},
        {.id = "later", .name = "My Vornalex", .rssi = -40},
        {.id = "nameless", .name = std::nullopt, .rssi = -40},
        {.id = "edge", .name = "Vornalex", .rssi = -15},
        {.id = "second", .name = "Vornalex-2", .rssi = -30},
    };
    for (const auto& p : advertisers) world.radio.addPeripheral(p);
    open(std::nullopt);
    // Only the first match is ever tried, though the second is heard twice afterwards.
    EXPECT_EQ(world.radio.connectAttempts(), std::vector<std::string>{"edge"});
    EXPECT_EQ(client->discoveredPeripheral(), "edge");
    EXPECT_EQ(delegate->connected, 1);
    // Each advertiser listed before it would have been taken had its rule failed.
    EXPECT_TRUE(world.logs.contains("Discovered (null) at -40"));
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

TEST_F(BleClient, ACreatedClientSendsNothingAndClosesQuietly) {
    make();
    EXPECT_EQ(client->state(), chairlink::kSocketCreated);
    client->send(hex("AA55 01 61 62 0D0A"));
    client->close();
    EXPECT_EQ(client->state(), kSocketClosed);
    EXPECT_EQ(world.radio.centralsMade(), 0);
}

TEST_F(BleClient, EachFailedStepIsLoggedClosesTheClientAndAsksForAnotherTry) {
    const char* lines[] = {"Error: Failed to connect to chair-1. (Connection refused)",
                           "Error: Error discovering services: no such service",
                           "Error: Error discovering characteristics: gatt failure"};
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE(lines[step]);
        auto chair = LinkWorld::chair();
        chair.refuseConnection = step == 0;
        if (step == 1) chair.serviceError = "no such service";
        if (step == 2) chair.characteristicError = "gatt failure";
        world.radio.clearPeripherals();
        world.logs.clear();
        delegate = std::make_shared<RecordingDelegate>();
        reconnects = 0;
        open(chair);
        EXPECT_TRUE(world.logs.contains(lines[step]));
        // A failed characteristic discovery tells the listeners nothing.
        EXPECT_EQ(delegate->errors, step < 2 ? 1 : 0);
        EXPECT_EQ(delegate->connected, 0);
        EXPECT_EQ(client->state(), kSocketClosed);
        EXPECT_EQ(reconnects, 1);
        // Only a link that came up is ended.
        EXPECT_EQ(world.logs.contains("Peripheral Disconnected"), step > 0);
        client.reset();
        world.settle();
    }
}

}  // namespace
