#include <gtest/gtest.h>

#include "chair/ChairRadio.h"
#include "tests/chair/ChairRig.h"
#include "tests/link/RecordingCentralEvents.h"

namespace {

using chairtest::kLinkCheck;
using linktest::CentralEvent;
using Lines = std::vector<std::string>;

// Each event as one line; every one must have come on the client's queue.
std::string line(const CentralEvent& e) {
    EXPECT_TRUE(e.onQueue) << e.kind;
    if (e.kind == "state")
        return e.state == chairlink::ManagerState::PoweredOn ? "powered on" : "not powered on";
    std::string text = e.kind + " ";
    if (e.kind == "discover") {
        text += e.peripheral + " '" + e.name.value_or("") + "' " + std::to_string(e.rssi);
    } else if (e.kind == "notify") {
        text += e.characteristic + (e.notifying ? " on" : " off");
    } else {
        text += e.peripheral;
    }
    return e.error ? text + " error: " + *e.error : text;
}

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
    void connectAndDiscover() {
        start();
        central->connect(chair::kChairId);
        central->discoverServices(chair::kChairId, {"FFE0"});
        central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE1"});
        central->discoverCharacteristics(chair::kChairId, "FFE0", {"FFE2"});
        central->setNotify(chair::kChairId, "FFE0", "FFE1", true);
        rig.clock.runDue();
    }
    void write(const chairlink::Bytes& value) {
        central->writeWithoutResponse(chair::kChairId, "FFE0", "FFE2", value);
        rig.clock.runDue();
    }
    Lines take() {
        Lines lines;
        for (const auto& e : events.take()) lines.push_back(line(e));
        return lines;
    }

    chairtest::ChairRig rig;
    std::shared_ptr<base::SerialQueue> queue = rig.dispatch.makeSerialQueue("test.central");
    linktest::RecordingEvents events{queue};
    std::unique_ptr<chairlink::BleCentral> central;
};

TEST_F(CentralTest, AdvertisesWhilePoweredOnAndRepeatsOnlyWhenDuplicatesAreAllowed) {
    start();
    EXPECT_EQ(central->state(), chairlink::ManagerState::PoweredOn);
    central->scan("FFE0", true);
    rig.clock.runDue();
    EXPECT_EQ(take(), (Lines{"powered on", "discover chair 'Vornalex Chair' -58"}));
    rig.clock.advance(1.0);
    EXPECT_EQ(take().size(), 4u);  // every 0.25 s
    central->stopScan();
    rig.clock.advance(1.0);
    EXPECT_TRUE(take().empty());
    central->scan("FFE0", false);
    rig.clock.advance(1.0);
    EXPECT_EQ(take().size(), 1u);
    central->scan("180D", true);  // a service nobody here offers
    rig.clock.advance(1.0);
    EXPECT_TRUE(take().empty());
}

// What is found is listed in the order the answers came; the BLE client meeting reversed
// answers is the chair behaviour test's.
TEST_F(CentralTest, CharacteristicAnswersCanComeInReverse) {
    rig.chair->setFaults({.reverseCharacteristicAnswers = true});
    connectAndDiscover();
    const auto found = central->services(chair::kChairId)->at(0).characteristics;
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].uuid, "FFE2");
}

TEST_F(CentralTest, EndedSubscriptionDroppedLinkAndRefusalAreReportedAndLaterWritesCounted) {
    connectAndDiscover();
    take();
    rig.chair->stopNotifying();
    rig.clock.runDue();
    EXPECT_EQ(take(), Lines{"notify FFE1 off"});
    write(kLinkCheck);
    EXPECT_TRUE(take().empty());  // written, but no longer heard
    EXPECT_EQ(rig.chair->deadLinkWrites(), 0);
    rig.chair->dropLink();
    rig.clock.runDue();
    EXPECT_EQ(take(), Lines{"disconnect chair error: The connection has timed out unexpectedly."});
    EXPECT_FALSE(central->isConnected(chair::kChairId));
    EXPECT_EQ(rig.chair->liveConnections(), 0);
    write(kLinkCheck);
    write(kLinkCheck);
    EXPECT_EQ(rig.chair->deadLinkWrites(), 2);
    EXPECT_EQ(rig.chair->writes().size(), 1u);
    EXPECT_TRUE(take().empty());
    rig.chair->setFaults({.refuseConnections = true});
    central->connect(chair::kChairId);
    rig.clock.runDue();
    EXPECT_EQ(take(), Lines{"fail chair error: The connection was refused by the peripheral."});
    rig.chair->setFaults({});
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
    EXPECT_EQ(take(), (Lines{"powered on", "powered on"}));

    central->scan("FFE0", true);
    central->stop();
    rig.clock.runDue();
    EXPECT_EQ(rig.chair->liveCentrals(), 0);
    take();  // the first advertisement may have made it before stop() returned
    rig.chair->setBluetoothPoweredOn(false);
    rig.clock.advance(2.0);
    rig.chair->setBluetoothPoweredOn(true);
    central.reset();
    rig.clock.advance(1.0);
    EXPECT_TRUE(take().empty());
}

}  // namespace
