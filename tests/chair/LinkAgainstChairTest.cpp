// The real BLE client and session controller against the stand-in chair. Faults the soak
// draws from (drops, failed discovery, late answers) are left to it, and the client's choice
// of chair and its retry waits to the link tests with their fake central.
#include <gtest/gtest.h>

#include "base/Log.h"
#include "tests/chair/ChairRig.h"

namespace {

using namespace chairtest;

void expectLinkUpAnswered(ChairRig& rig) {
    ASSERT_TRUE(rig.controller->isConnected());
    EXPECT_EQ(rig.decodedTypes(), kFullStatus);
    EXPECT_EQ(countOf(rig.chair->writes(), kLinkUp), 1);
    EXPECT_EQ(countOf(rig.chair->writes(), kAck), 7);
}

TEST(LinkAgainstChair, TheFullStatusIsDecodedAndAcknowledgedWhicheverCharacteristicAnswersFirst) {
    for (bool reverse : {false, true}) {
        SCOPED_TRACE(reverse);
        base::LogCapture log;
        ChairRig rig;
        rig.chair->setFaults({.reverseCharacteristicAnswers = reverse});
        rig.startController();
        expectLinkUpAnswered(rig);
        EXPECT_EQ(rig.chair->writes().front(), kLinkUp);
        EXPECT_EQ(rig.chair->connectAttempts(), 1);
        EXPECT_TRUE(log.contains("Scanning started"));
        EXPECT_TRUE(log.contains("Peripheral Connected"));
    }
}

TEST(LinkAgainstChair, LinkStaysDownWhileTheChairIsSilentAndReturnsWhenItAdvertises) {
    ChairRig rig;
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

TEST(LinkAgainstChair, CorruptedFramesAreRejectedAndSplitOrJoinedNotificationsLoseNoFrame) {
    ChairRig rig;
    rig.chair->setFaults({.corruptChecksums = 2});
    rig.startController();
    EXPECT_EQ(rig.decodedTypes(), (std::vector<int>{0xF3, 0xF4, 0xF5, 0xF6, 0xF7}));
    EXPECT_EQ(countOf(rig.chair->writes(), kReject), 2);
    EXPECT_EQ(countOf(rig.chair->writes(), kAck), 5);
    for (const chair::ChairFaults& faults :
         std::initializer_list<chair::ChairFaults>{{.splitFrames = true},
                                                   {.joinFrames = true},
                                                   {.splitFrames = true, .joinFrames = true}}) {
        rig.chair->setFaults(faults);
        rig.decoded.clear();
        rig.send(chairlink::kLinkUpCode);
        EXPECT_EQ(rig.decodedTypes(), kFullStatus);
    }
    EXPECT_EQ(countOf(rig.chair->writes(), kAck), 5 + 21);
}

}  // namespace
