#include <gtest/gtest.h>

#include "ControllerFixture.h"

namespace {

using linktest::hex;
using linktest::LinkWorld;

class Reconnect : public linktest::ControllerFixture {
protected:
    std::size_t linkUpFrames() const {
        std::size_t n = 0;
        for (auto& value : world.radio.writtenValues()) n += value == hex("AA55 01 31 32 0D0A");
        return n;
    }
};

TEST_F(Reconnect, ALostLinkIsRebuiltAtOnceAndTheLinkUpFrameGoesOutAgain) {
    start();
    ASSERT_EQ(linkUpFrames(), 1u);
    auto first = controller->bleSocketClient();
    std::vector<bool> connectedWhenAnnounced;
    auto token = world.center.addObserver("RECONNECT", nullptr, [&](const base::Notification&) {
        connectedWhenAnnounced.push_back(controller->isConnected());
    });
    first.reset();

    // The new client's connection waits, so the flags seen at the announcement cannot race
    // with a link that comes up at once on the new client's queue.
    world.radio.setHoldConnections(true);
    world.radio.dropLink();
    world.settle();  // no time passes
    EXPECT_EQ(connectedWhenAnnounced, std::vector<bool>{false});
    EXPECT_FALSE(controller->isConnected());
    EXPECT_TRUE(controller->isConnecting());
    world.radio.releaseConnection();
    world.settle();
    EXPECT_EQ(world.radio.centralsMade(), 2);
    EXPECT_EQ(linkUpFrames(), 2u);
    EXPECT_TRUE(controller->isConnected());
    EXPECT_FALSE(controller->retryPending());
    world.center.removeObserver(token);
}

TEST_F(Reconnect, BytesReceivedBeforeTheLossStayBuffered) {
    start();
    world.radio.notify(hex("AA55 01"));
    world.settle();
    world.radio.dropLink();
    world.settle();
    EXPECT_EQ(controller->peekData(3), hex("AA55 01"));
}

TEST_F(Reconnect, FailedConnectionsAreRetriedWithAWaitThatDoublesUpTo30Seconds) {
    auto chair = LinkWorld::chair();
    chair.refuseConnection = true;
    world.radio.addPeripheral(chair);
    start(false);
    ASSERT_EQ(world.radio.connectAttempts().size(), 1u);
    EXPECT_TRUE(controller->retryPending());
    EXPECT_TRUE(controller->isConnecting());
    EXPECT_TRUE(world.logs.contains("Connection attempt failed; trying again in 1 s"));

    std::size_t attempts = 1;
    for (double wait : {1.0, 2.0, 4.0, 8.0, 16.0, 30.0, 30.0}) {
        world.clock.advance(wait - 0.01);
        EXPECT_EQ(world.radio.connectAttempts().size(), attempts) << "too early for " << wait;
        world.clock.advance(0.01);
        EXPECT_EQ(world.radio.connectAttempts().size(), ++attempts) << "late for " << wait;
    }
    EXPECT_FALSE(controller->isConnected());
}

TEST_F(Reconnect, AGoodLinkStartsTheWaitOverAndItsLossRebuildsAtOnce) {
    auto chair = LinkWorld::chair();
    chair.refuseConnection = true;
    world.radio.addPeripheral(chair);
    start(false);
    world.clock.advance(1);  // second attempt fails too
    EXPECT_EQ(controller->nextRetryWait(), 4.0);
    world.radio.setRefuseConnection("chair-1", false);
    world.clock.advance(2);
    ASSERT_TRUE(controller->isConnected());
    EXPECT_EQ(controller->nextRetryWait(), 1.0);

    world.radio.dropLink();
    world.settle();
    EXPECT_TRUE(controller->isConnected());
    EXPECT_EQ(linkUpFrames(), 2u);

    // After a good link, the first failure waits 1 s again.
    world.radio.setRefuseConnection("chair-1", true);
    world.radio.dropLink();
    world.settle();
    std::size_t attempts = world.radio.connectAttempts().size();
    world.clock.advance(0.99);
    EXPECT_EQ(world.radio.connectAttempts().size(), attempts);
    world.clock.advance(0.01);
    EXPECT_EQ(world.radio.connectAttempts().size(), attempts + 1);
}

TEST_F(Reconnect, ALinkLostBeforeBothCharacteristicsWereFoundCountsAsAFailedAttempt) {
    auto chair = LinkWorld::chair();
    chair.characteristicError = "gatt failure";
    world.radio.addPeripheral(chair);
    start(false);
    EXPECT_EQ(world.radio.centralsMade(), 1);
    EXPECT_TRUE(controller->retryPending());
    world.clock.advance(0.99);
    EXPECT_EQ(world.radio.centralsMade(), 1);
    world.clock.advance(0.01);
    EXPECT_EQ(world.radio.centralsMade(), 2);
}

TEST_F(Reconnect, AFailedDiscoveryIsAnsweredByOneRetryAlthoughItIsReportedTwice) {
    auto chair = LinkWorld::chair();
    chair.serviceError = "no such service";
    world.radio.addPeripheral(chair);
    start(false);
    // Reported by the error and again by the disconnection that follows it.
    world.clock.advance(1);
    EXPECT_EQ(world.radio.centralsMade(), 2);
    world.clock.advance(1.99);
    EXPECT_EQ(world.radio.centralsMade(), 2);
    world.clock.advance(0.01);
    EXPECT_EQ(world.radio.centralsMade(), 3);
}

}  // namespace
