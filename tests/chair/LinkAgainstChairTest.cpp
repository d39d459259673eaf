#include <gtest/gtest.h>

#include <algorithm>

#include "base/Log.h"
#include "link/CommandFrames.h"
#include "tests/chair/ChairRig.h"

namespace {

using chairlink::Bytes;
using chairtest::frame;

const Bytes kLinkUp = frame({0xAA, 0x55, 0x01, 0x31, 0x32, 0x0D, 0x0A});
const Bytes kAck(chairlink::kAcknowledgeFrame.begin(), chairlink::kAcknowledgeFrame.end());
const Bytes kReject(chairlink::kRejectFrame.begin(), chairlink::kRejectFrame.end());

long countOf(const std::vector<Bytes>& writes, const Bytes& value) {
    return std::count(writes.begin(), writes.end(), value);
}

std::vector<int> types(const std::vector<Bytes>& frames) {
    std::vector<int> out;
    for (const auto& f : frames) out.push_back(f.at(2));
    return out;
}

const std::vector<int> kFullStatus = {0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7};

// The real BLE client and session controller against the stand-in chair.
class LinkAgainstChairTest : public ::testing::Test {
protected:
    explicit LinkAgainstChairTest(chair::StandInOptions options = {}) : rig(std::move(options)) {}

    void expectLinkUpAnswered() {
        ASSERT_TRUE(rig.controller->isConnected());
        EXPECT_EQ(types(rig.decoded), kFullStatus);
        auto writes = rig.chair->writes();
        EXPECT_EQ(countOf(writes, kLinkUp), 1);
        EXPECT_EQ(countOf(writes, kAck), 7);
    }

    base::LogCapture log;
    chairtest::ChairRig rig;
};

TEST_F(LinkAgainstChairTest, WholeSequenceEndsWithTheFullStatusDecodedAndAcknowledged) {
    rig.startController();
    expectLinkUpAnswered();
    EXPECT_EQ(rig.chair->writes().front(), kLinkUp);
    EXPECT_EQ(rig.chair->connectAttempts(), 1);
    EXPECT_TRUE(log.contains("Scanning started"));
    EXPECT_TRUE(log.contains("Peripheral Connected"));
}

TEST_F(LinkAgainstChairTest, ACharacteristicAnswerOrderGivesOneLinkUp) {
    rig.chair->setFaults({.reverseCharacteristicAnswers = true});
    rig.startController();
    expectLinkUpAnswered();
}

class DecoyLinkTest : public LinkAgainstChairTest {
protected:
    DecoyLinkTest() : LinkAgainstChairTest({.radio = {.chairRssi = -15, .decoys = true}}) {}
};

TEST_F(DecoyLinkTest, FiltersPassOverEveryDecoyAndTakeTheChairAtTheLoudestAllowedRssi) {
    rig.startController();
    expectLinkUpAnswered();
    EXPECT_EQ(rig.controller->bleSocketClient()->discoveredPeripheral(), chair::kChairId);
    EXPECT_EQ(rig.chair->connectAttempts(), 1);
}

TEST_F(LinkAgainstChairTest, RefusedConnectionsAreRetriedWithAGrowingWait) {
    rig.chair->setFaults({.refuseConnections = true});
    rig.startController();
    EXPECT_EQ(rig.chair->connectAttempts(), 1);
    for (double wait : {1.0, 2.0, 4.0}) {
        int before = rig.chair->connectAttempts();
        rig.clock.advance(wait - 0.01);
        EXPECT_EQ(rig.chair->connectAttempts(), before) << wait;
        rig.clock.advance(0.01);
        EXPECT_EQ(rig.chair->connectAttempts(), before + 1) << wait;
    }
    rig.chair->setFaults({});
    rig.clock.advance(8.0);
    expectLinkUpAnswered();
}

TEST_F(LinkAgainstChairTest, FailedDiscoveryLeadsToANewClient) {
    rig.chair->setFaults({.failServiceDiscovery = 1, .failCharacteristicDiscovery = 1});
    rig.startController();
    EXPECT_FALSE(rig.controller->isConnected());
    rig.clock.advance(1.0 + 2.0);
    expectLinkUpAnswered();
    EXPECT_EQ(rig.chair->connections(), 3);
    EXPECT_EQ(rig.chair->liveConnections(), 1);
}

TEST_F(LinkAgainstChairTest, LostLinkIsRebuiltAndTheLinkUpFrameSentAgain) {
    rig.startController();
    rig.chair->dropLink();
    rig.clock.runDue();
    EXPECT_EQ(countOf(rig.chair->writes(), kLinkUp), 2);
    EXPECT_EQ(rig.decoded.size(), 14u);

    rig.chair->stopNotifying();  // the client hangs up and builds anew
    rig.clock.runDue();
    EXPECT_EQ(countOf(rig.chair->writes(), kLinkUp), 3);
    EXPECT_EQ(rig.chair->liveConnections(), 1);
    EXPECT_TRUE(log.contains("Peripheral Disconnected"));
}

TEST_F(LinkAgainstChairTest, LinkStaysDownWhileTheChairIsSilentAndReturnsWhenItAdvertises) {
    rig.startController();
    rig.chair->setAdvertising(false);
    rig.chair->dropLink();
    rig.clock.advance(120);
    EXPECT_FALSE(rig.controller->isConnected());
    EXPECT_EQ(rig.chair->connections(), 1);

    rig.chair->setAdvertising(true);
    rig.clock.runDue();
    EXPECT_TRUE(rig.controller->isConnected());
    EXPECT_EQ(countOf(rig.chair->writes(), kLinkUp), 2);
}

TEST_F(LinkAgainstChairTest, CorruptedChecksumIsRejectedAndNotDecoded) {
    rig.chair->setFaults({.corruptChecksums = 2});
    rig.startController();
    EXPECT_EQ(types(rig.decoded), (std::vector<int>{0xF3, 0xF4, 0xF5, 0xF6, 0xF7}));
    auto writes = rig.chair->writes();
    EXPECT_EQ(countOf(writes, kReject), 2);
    EXPECT_EQ(countOf(writes, kAck), 5);
}

TEST_F(LinkAgainstChairTest, SplitAndJoinedNotificationsLoseNoFrame) {
    rig.chair->setFaults({.splitFrames = true});
    rig.startController();
    expectLinkUpAnswered();

    rig.chair->setFaults({.joinFrames = true});
    rig.decoded.clear();
    rig.send(49);
    EXPECT_EQ(types(rig.decoded), kFullStatus);

    rig.chair->setFaults({.splitFrames = true, .joinFrames = true});
    rig.decoded.clear();
    rig.send(49);
    EXPECT_EQ(types(rig.decoded), kFullStatus);
    EXPECT_EQ(countOf(rig.chair->writes(), kAck), 21);
}

TEST_F(LinkAgainstChairTest, DelayedAnswersArriveOnTheClock) {
    rig.chair->setFaults({.answerDelay = 0.3});
    rig.startController();
    EXPECT_TRUE(rig.controller->isConnected());
    EXPECT_TRUE(rig.decoded.empty());
    rig.clock.advance(0.29);
    EXPECT_TRUE(rig.decoded.empty());
    rig.clock.advance(0.01);
    EXPECT_EQ(types(rig.decoded), kFullStatus);
}

}  // namespace
