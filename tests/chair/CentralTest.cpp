#include <gtest/gtest.h>

#include <mutex>

#include "chair/ChairRadio.h"
#include "link/Hex.h"
#include "tests/chair/ChairRig.h"

namespace {

using chairlink::ErrorText;
using chairlink::PeripheralId;
using chairtest::kLinkCheck;
using Lines = std::vector<std::string>;

std::string errorPart(const ErrorText& error) {
    return error ? " error: " + *error : "";
}

// Writes every event as one line; events come on the client queue, tests read on main.
class RecordingEvents final : public chairlink::BleCentralEvents {
public:
    explicit RecordingEvents(base::SerialQueue& queue) : queue_(queue) {}

    void centralStateChanged(chairlink::ManagerState state) override {
        add(state == chairlink::ManagerState::PoweredOn ? "powered on" : "not powered on");
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

    Lines take() {
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
    Lines lines_;
};

// The stand-in's central as the BLE client sees it. Its quiet mode is tried through chairctl
// receive, whose output shows every frame the chair sends; the client's choice among decoys is
// the link tests' own, on their fake central.
class CentralTest : public ::testing::Test {
protected:
    void start() {
        central = rig.chair->centralFactory()();
        central->start(events, queue);
        rig.clock.runDue();
    }
    // Connects, discovers both characteristics and subscribes, as the BLE client does.
    void connectAndDiscover(bool subscribe = true, bool bothCharacteristics = true) {
        start();
        central->connect(chair::kChairId);
        central->discoverServices(chair::kChairId, {"FFE0"});
        central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE1"});
        if (bothCharacteristics)
            central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE2"});
        if (subscribe) central->setNotify(chair::kChairId, "FFE0", "FFE1", true);
        rig.clock.runDue();
    }
    void write(const chairlink::Bytes& value) {
        central->writeWithoutResponse(chair::kChairId, "FFE0", "FFE2", value);
        rig.clock.runDue();
    }
    std::vector<chairlink::BleCharacteristicInfo> characteristics() {
        return central->services(chair::kChairId)->at(0).characteristics;
    }

    chairtest::ChairRig rig;
    std::shared_ptr<base::SerialQueue> queue = rig.dispatch.makeSerialQueue("test.central");
    RecordingEvents events{*queue};
    std::unique_ptr<chairlink::BleCentral> central;
};

TEST_F(CentralTest, AdvertisesWhilePoweredOnAndRepeatsOnlyWhenDuplicatesAreAllowed) {
    start();
    EXPECT_EQ(central->state(), chairlink::ManagerState::PoweredOn);
    central->scan("FFE0", true);
    rig.clock.runDue();
    EXPECT_EQ(events.take(), (Lines{"powered on", "discover chair 'Vornalex Chair' -58"}));
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

TEST_F(CentralTest, CharacteristicAnswersCanComeInReverse) {
    rig.chair->setFaults({.reverseCharacteristicAnswers = true});
    connectAndDiscover(false, false);
    EXPECT_EQ(characteristics().size(), 0u);
    central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE2"});
    rig.clock.runDue();
    ASSERT_EQ(characteristics().size(), 2u);
    EXPECT_EQ(characteristics()[0].uuid, "FFE2");
    EXPECT_EQ(events.take().size(), 5u);
}

TEST_F(CentralTest, EndedSubscriptionAndDroppedLinkAreReportedAndLaterWritesCounted) {
    connectAndDiscover();
    events.take();
    rig.chair->stopNotifying();
    rig.clock.runDue();
    EXPECT_EQ(events.take(), Lines{"notify FFE1 off"});
    write(kLinkCheck);
    EXPECT_TRUE(events.take().empty());  // written, but no longer heard
    EXPECT_EQ(rig.chair->deadLinkWrites(), 0);
    rig.chair->dropLink();
    rig.clock.runDue();
    EXPECT_EQ(events.take(),
              Lines{"disconnect chair error: The connection has timed out unexpectedly."});
    EXPECT_FALSE(central->isConnected(chair::kChairId));
    EXPECT_EQ(rig.chair->liveConnections(), 0);
    write(kLinkCheck);
    write(kLinkCheck);
    EXPECT_EQ(rig.chair->deadLinkWrites(), 2);
    EXPECT_EQ(rig.chair->writes().size(), 1u);
    EXPECT_TRUE(events.take().empty());
    central->connect(chair::kChairId);  // a new connection is alive again
    rig.clock.runDue();
    write(chairlink::Bytes(102, 0x11));
    EXPECT_EQ(rig.chair->deadLinkWrites(), 2);
}

TEST_F(CentralTest, LiveCentralsAreThoseStartedAndNotYetStoppedAndStoppedOnesHearNothing) {
    EXPECT_EQ(rig.chair->liveCentrals(), 0);
    start();
    auto second = rig.chair->centralFactory()();
    second->start(events, queue);
    rig.clock.runDue();
    EXPECT_EQ(rig.chair->liveCentrals(), 2);
    second.reset();  // a central that goes away stops
    rig.clock.runDue();
    EXPECT_EQ(rig.chair->liveCentrals(), 1);
    EXPECT_EQ(events.take(), (Lines{"powered on", "powered on"}));

    central->scan("FFE0", true);
    central->stop();
    rig.clock.runDue();
    EXPECT_EQ(rig.chair->liveCentrals(), 0);
    events.take();  // the first advertisement may have made it before stop() returned
    rig.chair->setBluetoothPoweredOn(false);
    rig.clock.advance(2.0);
    rig.chair->setBluetoothPoweredOn(true);
    central.reset();
    rig.clock.advance(1.0);
    EXPECT_TRUE(events.take().empty());
}

}  // namespace
