#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "chair/ChairRadio.h"
#include "link/Hex.h"
#include "tests/chair/ChairRig.h"

namespace {

using chairlink::BleCentralEvents;
using chairlink::ErrorText;
using chairlink::ManagerState;
using chairlink::PeripheralId;

std::string errorPart(const ErrorText& error) {
    return error ? " error: " + *error : "";
}

// Writes every event as one line; events come on the client queue, tests read on main.
class RecordingEvents final : public BleCentralEvents {
public:
    explicit RecordingEvents(base::SerialQueue& queue) : queue_(queue) {}

    void centralStateChanged(ManagerState state) override {
        add(state == ManagerState::PoweredOn ? "powered on" : "not powered on");
    }
    void didDiscover(const PeripheralId& p, const std::optional<std::string>& name,
                     int rssi) override {
        add("discover " + p + " '" + name.value_or("") + "' " + std::to_string(rssi));
    }
    void didConnect(const PeripheralId& p) override { add("connect " + p); }
    void didFailToConnect(const PeripheralId& p, const std::string& error) override {
        add("fail " + p + " error: " + error);
    }
    void didDisconnect(const PeripheralId& p, const ErrorText& error) override {
        add("disconnect " + p + errorPart(error));
    }
    void didDiscoverServices(const PeripheralId& p, const ErrorText& error) override {
        add("services " + p + errorPart(error));
    }
    void didDiscoverCharacteristics(const PeripheralId& p, const std::string& service,
                                    const ErrorText& error) override {
        add("characteristics " + p + " " + service + errorPart(error));
    }
    void didUpdateValue(const PeripheralId&, const std::string& c, const chairlink::Bytes& value,
                        const ErrorText&) override {
        add("value " + c + " " + chairlink::upperHexPairs(value));
    }
    void didUpdateNotificationState(const PeripheralId&, const std::string& c, bool on,
                                    const ErrorText&) override {
        add("notify " + c + (on ? " on" : " off"));
    }

    std::vector<std::string> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(lines_, {});
    }

private:
    void add(std::string line) {
        EXPECT_TRUE(queue_.isCurrent()) << line;
        std::lock_guard lock(mutex_);
        lines_.push_back(std::move(line));
    }

    base::SerialQueue& queue_;
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

class CentralTest : public ::testing::Test {
protected:
    explicit CentralTest(chair::StandInOptions options = {}) : rig(std::move(options)) {}

    void start() {
        central = rig.chair->centralFactory()();
        central->start(events, queue);
        rig.clock.runDue();
    }

    // Connects to the chair and subscribes, as the BLE client does.
    void connectAndSubscribe() {
        start();
        central->connect(chair::kChairId);
        central->discoverServices(chair::kChairId, {"FFE0"});
        central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE1"});
        central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE2"});
        central->setNotify(chair::kChairId, "FFE0", "FFE1", true);
        rig.clock.runDue();
        events.take();
    }

    void write(const chairlink::Bytes& value) {
        central->writeWithoutResponse(chair::kChairId, "FFE0", "FFE2", value);
        rig.clock.runDue();
    }

    chairtest::ChairRig rig;
    std::shared_ptr<base::SerialQueue> queue = rig.dispatch.makeSerialQueue("test.central");
    RecordingEvents events{*queue};
    std::unique_ptr<chairlink::BleCentral> central;
};

TEST_F(CentralTest, AdvertisesWhilePoweredOnAndRepeatsOnlyWhenDuplicatesAreAllowed) {
    start();
    EXPECT_EQ(central->state(), ManagerState::PoweredOn);
    central->scan("FFE0", true);
    rig.clock.runDue();
    EXPECT_EQ(events.take(),
              (std::vector<std::string>{"powered on", "discover chair 'Vornalex Chair' -58"}));
    rig.clock.advance(1.0);
    EXPECT_EQ(events.take().size(), 4u);  // every 0.25 s
    central->stopScan();
    rig.clock.advance(1.0);
    EXPECT_TRUE(events.take().empty());
    central->scan("FFE0", false);
    rig.clock.advance(1.0);
    EXPECT_EQ(events.take().size(), 1u);
    central->scan("180D", true);  // a service nobody here offers
    rig.clock.advance(1.0);
    EXPECT_TRUE(events.take().empty());
}

TEST_F(CentralTest, DiscoveryOffersTheChairServiceAndBothCharacteristics) {
    start();
    central->connect(chair::kChairId);
    central->discoverServices(chair::kChairId, {"FFE0"});
    central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE1"});
    rig.clock.runDue();
    EXPECT_TRUE(central->isConnected(chair::kChairId));
    auto services = central->services(chair::kChairId);
    ASSERT_TRUE(services.has_value());
    ASSERT_EQ(services->size(), 1u);
    EXPECT_EQ((*services)[0].characteristics.size(), 1u);
    central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE2"});
    central->setNotify(chair::kChairId, "FFE0", "FFE1", true);
    rig.clock.runDue();
    services = central->services(chair::kChairId);
    ASSERT_EQ((*services)[0].characteristics.size(), 2u);
    EXPECT_TRUE((*services)[0].characteristics[0].notifying);
    EXPECT_EQ(events.take(),
              (std::vector<std::string>{"powered on", "connect chair", "services chair",
                                        "characteristics chair FFE0", "characteristics chair FFE0",
                                        "notify FFE1 on"}));
    central->cancelConnection(chair::kChairId);
    rig.clock.runDue();
    EXPECT_EQ(events.take(), std::vector<std::string>{"disconnect chair"});
    EXPECT_FALSE(central->services(chair::kChairId).has_value());
}

TEST_F(CentralTest, LinkUpIsAnsweredWithTheFullStatusAndTheLinkCheckIsEchoed) {
    connectAndSubscribe();
    write(chairtest::frame({0xAA, 0x55, 0x01, 0x31, 0x32, 0x0D, 0x0A}));
    auto lines = events.take();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "value FFE1 AA 55 F1 00 00 00 00 F1 0D 0A");
    EXPECT_EQ(lines[5], "value FFE1 AA 55 F6 00 F6 0D 0A");
    write(chairtest::frame({0xAA, 0x55, 0x01, 0xB1, 0xB2, 0x0D, 0x0A}));
    EXPECT_EQ(events.take(), std::vector<std::string>{"value FFE1 AA 55 01 B1 B2 0D 0A"});
}

TEST_F(CentralTest, NothingIsSentToACentralThatHasNotSubscribed) {
    start();
    central->connect(chair::kChairId);
    central->discoverServices(chair::kChairId, {});
    central->discoverCharacteristics(chair::kChairId, "FFE0", {});
    rig.clock.runDue();
    events.take();
    write(chairtest::frame({0xAA, 0x55, 0x01, 0xB1, 0xB2, 0x0D, 0x0A}));
    EXPECT_TRUE(events.take().empty());
    EXPECT_EQ(rig.chair->writes().size(), 1u);
}

TEST_F(CentralTest, ConnectionFaultsFailTheAttemptsAsked) {
    rig.chair->setFaults({.failConnections = 1});
    start();
    central->connect(chair::kChairId);
    central->connect(chair::kChairId);
    rig.clock.runDue();
    auto lines = events.take();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "fail chair error: The connection has failed.");
    EXPECT_EQ(lines[2], "connect chair");
    EXPECT_EQ(rig.chair->faults().failConnections, 0);

    central->cancelConnection(chair::kChairId);
    rig.chair->setFaults({.refuseConnections = true});
    for (int i = 0; i < 3; ++i) central->connect(chair::kChairId);
    rig.clock.runDue();
    lines = events.take();
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "fail chair error: The connection was refused by the peripheral."),
              3);
    EXPECT_EQ(rig.chair->connectAttempts(), 5);
    EXPECT_EQ(rig.chair->connections(), 1);
}

TEST_F(CentralTest, DiscoveryFaultsReportErrors) {
    rig.chair->setFaults({.failServiceDiscovery = 1, .failCharacteristicDiscovery = 1});
    start();
    central->connect(chair::kChairId);
    central->discoverServices(chair::kChairId, {"FFE0"});
    central->discoverServices(chair::kChairId, {"FFE0"});
    central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE1"});
    central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE1"});
    rig.clock.runDue();
    EXPECT_EQ(
        events.take(),
        (std::vector<std::string>{
            "powered on", "connect chair", "services chair error: Service discovery failed.",
            "services chair", "characteristics chair FFE0 error: Characteristic discovery failed.",
            "characteristics chair FFE0"}));
}

TEST_F(CentralTest, CharacteristicAnswersCanComeInReverse) {
    rig.chair->setFaults({.reverseCharacteristicAnswers = true});
    start();
    central->connect(chair::kChairId);
    central->discoverServices(chair::kChairId, {"FFE0"});
    central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE1"});
    rig.clock.runDue();
    EXPECT_EQ(central->services(chair::kChairId)->at(0).characteristics.size(), 0u);
    central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE2"});
    rig.clock.runDue();
    auto chars = central->services(chair::kChairId)->at(0).characteristics;
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].uuid, "FFE2");
    EXPECT_EQ(events.take().size(), 5u);
}

TEST_F(CentralTest, DroppedLinkAndEndedSubscriptionAreReported) {
    connectAndSubscribe();
    rig.chair->stopNotifying();
    rig.clock.runDue();
    EXPECT_EQ(events.take(), std::vector<std::string>{"notify FFE1 off"});
    write(chairtest::frame({0xAA, 0x55, 0x01, 0xB1, 0xB2, 0x0D, 0x0A}));
    EXPECT_TRUE(events.take().empty());  // written, but no longer heard
    rig.chair->dropLink();
    rig.clock.runDue();
    EXPECT_EQ(events.take(),
              std::vector<std::string>{
                  "disconnect chair error: The connection has timed out unexpectedly."});
    EXPECT_FALSE(central->isConnected(chair::kChairId));
    EXPECT_EQ(rig.chair->liveConnections(), 0);
}

TEST_F(CentralTest, WritesOverAnEndedConnectionAreCountedAndNotTaken) {
    connectAndSubscribe();
    const auto linkCheck = chairtest::frame({0xAA, 0x55, 0x01, 0xB1, 0xB2, 0x0D, 0x0A});
    write(linkCheck);
    EXPECT_EQ(rig.chair->deadLinkWrites(), 0);
    rig.chair->dropLink();
    rig.clock.runDue();
    events.take();
    write(linkCheck);
    write(linkCheck);
    EXPECT_EQ(rig.chair->deadLinkWrites(), 2);
    EXPECT_EQ(rig.chair->writes().size(), 1u);
    EXPECT_TRUE(events.take().empty());
    central->connect(chair::kChairId);  // a new connection is alive again
    rig.clock.runDue();
    write(chairlink::Bytes(102, 0x11));
    EXPECT_EQ(rig.chair->deadLinkWrites(), 2);
}

TEST_F(CentralTest, LiveCentralsAreThoseStartedAndNotYetStopped) {
    EXPECT_EQ(rig.chair->liveCentrals(), 0);
    start();
    EXPECT_EQ(rig.chair->liveCentrals(), 1);
    auto second = rig.chair->centralFactory()();
    second->start(events, queue);
    rig.clock.runDue();
    EXPECT_EQ(rig.chair->liveCentrals(), 2);
    central->stop();
    rig.clock.runDue();
    EXPECT_EQ(rig.chair->liveCentrals(), 1);
    second.reset();  // a central that goes away stops
    rig.clock.runDue();
    EXPECT_EQ(rig.chair->liveCentrals(), 0);
}

TEST_F(CentralTest, NoEventReachesTheListenerAfterStop) {
    start();
    EXPECT_EQ(events.take(), std::vector<std::string>{"powered on"});
    central->scan("FFE0", true);
    central->stop();
    events.take();  // the first advertisement may have made it before stop() returned
    rig.chair->setBluetoothPoweredOn(false);
    rig.clock.advance(2.0);
    EXPECT_TRUE(events.take().empty());
    rig.chair->setBluetoothPoweredOn(true);
    central.reset();
    rig.clock.advance(1.0);
    EXPECT_TRUE(events.take().empty());
}

TEST_F(CentralTest, QuietChairRecordsWritesAndSendsOnlyWhatItIsGiven) {
    rig.chair->setQuiet(true);
    connectAndSubscribe();
    auto linkUp = chairtest::frame({0xAA, 0x55, 0x01, 0x31, 0x32, 0x0D, 0x0A});
    write(linkUp);
    write(chairlink::Bytes(102, 0x11));
    rig.clock.advance(5.0);
    EXPECT_TRUE(events.take().empty());
    EXPECT_EQ(rig.chair->writes(),
              (std::vector<chairlink::Bytes>{linkUp, chairlink::Bytes(102, 0x11)}));
    EXPECT_EQ(rig.chair->updatesCompleted(), 0u);
    rig.chair->notify({0xAA, 0x55, 0xF1});
    rig.clock.runDue();
    EXPECT_EQ(events.take(), std::vector<std::string>{"value FFE1 AA 55 F1"});
}

class DecoyTest : public CentralTest {
protected:
    DecoyTest() : CentralTest({.radio = {.decoys = true}}) {}
};

TEST_F(DecoyTest, DecoysAreAdvertisedBeforeTheChair) {
    start();
    central->scan("FFE0", false);
    rig.clock.runDue();
    EXPECT_EQ(events.take(),
              (std::vector<std::string>{"powered on", "discover decoy-case 'vornalex Chair' -50",
                                        "discover decoy-infix 'My Vornalex Chair' -50",
                                        "discover decoy-near 'Vornalex Near' -10",
                                        "discover decoy-no-reading 'Vornalex Unknown' 127",
                                        "discover decoy-unnamed '' -50",
                                        "discover chair 'Vornalex Chair' -58"}));
    // A decoy connects but offers nothing.
    central->connect("decoy-near");
    central->discoverServices("decoy-near", {"FFE0"});
    rig.clock.runDue();
    EXPECT_TRUE(central->services("decoy-near")->empty());
}

}  // namespace
