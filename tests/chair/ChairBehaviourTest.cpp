// The chair as the remote sees it: commands through the real session controller, answers
// through the real drain, on the manual clock.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/StatusFrames.h"
#include "tests/chair/ChairRig.h"

namespace {

using chairtest::frame;
using V = std::vector<int>;

class ChairBehaviourTest : public ::testing::Test {
protected:
    ChairBehaviourTest() {
        rig.startController();
        rig.decoded.clear();
    }

    // D1..D4 of the last frame of the type (D1 only for short frames).
    V last(std::uint8_t type) {
        for (auto f = rig.decoded.rbegin(); f != rig.decoded.rend(); ++f) {
            if (f->size() > 2 && (*f)[2] == type)
                return V(f->begin() + 3, f->begin() + (f->size() == 10 ? 7 : 4));
        }
        return {};
    }
    V running() { return last(chairlink::kRunningStateType); }

    chairtest::ChairRig rig;
};

TEST_F(ChairBehaviourTest, PowerOnMeasuresAdjustsRunsCountsDownAndSwitchesOffWhenTheTimeIsUp) {
    rig.send(51);
    EXPECT_EQ(running(), (V{1, 0, 0, 3}));
    rig.clock.advance(5.5);  // the rollers sweep up the back
    EXPECT_EQ(running(), (V{1, 0, 11, 3}));
    EXPECT_EQ(std::ranges::count(rig.decodedTypes(), chairlink::kRunningStateType), 12);
    rig.clock.advance(0.5);
    EXPECT_EQ(running(), (V{3, 0, 6, 3}));

    rig.clock.advance(4.0);
    rig.send(52);  // each press moves one step and extends adjusting by the whole window
    rig.send(52);
    rig.send(53);
    EXPECT_EQ(running(), (V{3, 0, 7, 3}));
    rig.clock.advance(9.9);
    EXPECT_EQ(running().at(0), chair::kAdjusting);
    rig.clock.advance(0.1);
    EXPECT_EQ(running(), (V{4, 15, 7, 3}));

    rig.clock.advance(60.0);
    EXPECT_EQ(running().at(1), 14);
    rig.send(52);  // no longer adjusting
    EXPECT_EQ(running().at(2), 7);

    rig.clock.advance(40.0);  // 40 s into the minute
    rig.send(54);
    EXPECT_EQ(running(), (V{5, 14, 7, 3}));
    rig.clock.advance(300.0);  // the pause holds the countdown
    EXPECT_EQ(running(), (V{5, 14, 7, 3}));
    rig.send(55);  // and resuming finishes the minute
    EXPECT_EQ(running().at(0), chair::kRunning);
    rig.clock.advance(19.9);
    EXPECT_EQ(running().at(1), 14);
    rig.clock.advance(0.1);
    EXPECT_EQ(running().at(1), 13);
    rig.send(129);  // the rollers go off with the chair
    rig.clock.advance(12 * 60.0);
    EXPECT_EQ(running().at(1), 1);
    rig.clock.advance(60.0);
    EXPECT_EQ(running(), (V{0, 0, 0, 0}));
    EXPECT_EQ(last(chairlink::kOtherFunctionsType), (V{0, 0, 0, 0}));
    EXPECT_FALSE(rig.chair->status().on());
}

TEST_F(ChairBehaviourTest, ProgrammesManualPressureAndOtherFunctionsFollowTheirCommands) {
    rig.send(65);  // off: ignored
    EXPECT_TRUE(rig.decoded.empty());
    rig.send(51);
    // Programmes are reported in the chair's numbering.
    const std::pair<int, int> programmes[] = {{65, 1}, {66, 2},  {67, 3},  {68, 5},  {69, 4},
                                              {70, 6}, {163, 8}, {164, 9}, {165, 10}};
    for (auto [code, number] : programmes) {
        rig.send(code);
        EXPECT_EQ(last(chairlink::kAutoProgrammeType).at(0), number) << code;
    }
    rig.send(97);  // a manual technique ends the programme
    EXPECT_EQ(last(chairlink::kAutoProgrammeType).at(0), 0);
    EXPECT_EQ(last(chairlink::kManualMassageType), (V{1, 1, 3, 3}));
    rig.controller->setHandSpeed(5);
    rig.send(17);
    rig.controller->setHandWidth(9);  // out of range: kept as it was
    rig.send(18);
    rig.send(80);
    rig.send(106);
    EXPECT_EQ(last(chairlink::kManualMassageType), (V{5, 8, 5, 3}));

    rig.send(121);
    rig.controller->setArmPressureIntensity(3);
    rig.send(19);
    rig.send(115);
    rig.send(119);
    EXPECT_EQ(last(chairlink::kAirPressureType), (V{3, 2, 2, 1}));
    rig.send(114);
    EXPECT_EQ(last(chairlink::kAirPressureType), (V{3, 3, 2, 1}));
    rig.send(114);  // the same zone again switches it off
    EXPECT_EQ(last(chairlink::kAirPressureType), (V{3, 0, 0, 1}));

    rig.send(129);
    rig.send(136);
    rig.controller->setFootRollerSpeed(3);
    rig.send(21);
    EXPECT_EQ(last(chairlink::kOtherFunctionsType), (V{3, 0, 1, 0}));
    for (int expected : {1, 2, 3, 0}) {
        rig.send(156);
        EXPECT_EQ(last(chairlink::kQuickKeyType), V{expected});
    }
    rig.controller->setUppperIntensity(5);
    rig.send(16);
    EXPECT_EQ(running().at(3), 5);
}

// The link check and the service mode's start while off are chairctl send's.
TEST_F(ChairBehaviourTest, ServiceItemsArePickedAndConfirmedWhileOffAndPowerOffEndsItAll) {
    rig.send(184);
    rig.send(186);
    EXPECT_EQ(last(chairlink::kServiceType), (V{1, 2, 0, 0}));
    rig.send(184);
    rig.send(188);  // confirming a chosen test starts it
    EXPECT_EQ(last(chairlink::kServiceType), (V{1, 2, 0, 0}));

    rig.send(51);
    rig.clock.advance(16.0);
    ASSERT_EQ(running().at(0), chair::kRunning);
    rig.send(136);
    rig.decoded.clear();
    rig.send(50);
    ASSERT_EQ(rig.decoded.size(), 7u);
    EXPECT_EQ(running(), (V{0, 0, 0, 0}));
    EXPECT_EQ(last(chairlink::kOtherFunctionsType), (V{0, 0, 0, 0}));
    rig.clock.advance(120.0);  // no timer of the switched-off session is left
    EXPECT_EQ(rig.decoded.size(), 7u);
}

TEST_F(ChairBehaviourTest, UpdateIsConfirmedOnceThePiecesStop) {
    chairlink::Bytes file(205, 0x5C);
    rig.controller->update(file);
    rig.clock.advance(0.3);
    rig.controller->update(file);  // a second file within the gap continues the same update
    rig.clock.advance(0.49);
    EXPECT_TRUE(rig.decoded.empty());
    rig.clock.advance(0.01);
    EXPECT_EQ(rig.decoded,
              std::vector<chairlink::Bytes>{frame({0xAA, 0x55, 0xA5, 0x5A, 0xFF, 0x0D, 0x0A})});
    EXPECT_EQ(rig.chair->updatesCompleted(), 1u);
}

// The link's own faults (drops, failed discovery, late answers) are the soak's; these are the
// chair's side: a chair out of reach, and frames hit or cut on the way.
TEST_F(ChairBehaviourTest, LinkStaysDownWhileTheChairIsSilentAndReturnsWhenItAdvertises) {
    rig.chair->setAdvertising(false);
    rig.chair->dropLink();
    rig.clock.advance(120);
    EXPECT_FALSE(rig.controller->isConnected());
    EXPECT_EQ(rig.chair->connections(), 1);
    // The chair that comes back answers the characteristic requests in reverse order.
    rig.chair->setFaults({.reverseCharacteristicAnswers = true});
    rig.chair->setAdvertising(true);
    rig.clock.runDue();
    EXPECT_TRUE(rig.controller->isConnected());
    EXPECT_EQ(std::ranges::count(rig.chair->writes(), chairtest::kLinkUp), 2);
    EXPECT_EQ(rig.decodedTypes(), chairtest::kFullStatus) << "the answer to the link-up frame";
}

TEST_F(ChairBehaviourTest, CorruptedFramesAreRejectedAndSplitOrJoinedNotificationsLoseNoFrame) {
    rig.chair->setFaults({.corruptChecksums = 2});
    rig.send(chairlink::kLinkUpCode);
    EXPECT_EQ(rig.decodedTypes(), (V{0xF3, 0xF4, 0xF5, 0xF6, 0xF7}));
    EXPECT_EQ(std::ranges::count(rig.chair->writes(), chairtest::kReject), 2);
    // Seven frames: split into halves, joined in pairs, or both.
    const std::pair<chair::ChairFaults, std::size_t> shapes[] = {
        {{.splitFrames = true}, 14},
        {{.joinFrames = true}, 4},
        {{.splitFrames = true, .joinFrames = true}, 8}};
    for (const auto& [faults, values] : shapes) {
        rig.chair->setFaults(faults);
        rig.decoded.clear();
        const std::size_t before = rig.chair->notifications().size();
        rig.send(chairlink::kLinkUpCode);
        EXPECT_EQ(rig.chair->notifications().size() - before, values);
        EXPECT_EQ(rig.decodedTypes(), chairtest::kFullStatus);
    }
}

}  // namespace
