#include <gtest/gtest.h>

#include "chair/ChairFaults.h"
#include "chair/ChairStatus.h"
#include "chair/StatusFrames.h"
#include "link/StatusFrames.h"
#include "tests/chair/ChairRig.h"

namespace {

using chairtest::frame;

// The chair's frames must pass the remote's own checksum rules, at every length.
bool passesRemoteCheck(const chair::Bytes& f) {
    if (f.size() == 7) return chairlink::passesShortChecksum(f);
    if (f.size() == 10) return chairlink::passesLongChecksum(f);
    return false;
}

TEST(StatusFrames, LayoutAndChecksumsMatchTheReceiverRules) {
    EXPECT_EQ(chair::linkCheckEcho(), frame({0xAA, 0x55, 0x01, 0xB1, 0xB2, 0x0D, 0x0A}));
    EXPECT_EQ(chair::updateConfirmation(), frame({0xAA, 0x55, 0xA5, 0x5A, 0xFF, 0x0D, 0x0A}));
    // F1 + 04 + 1E + 05 + 03 = 0x11B: the low byte goes out, the receiver adds the carry.
    auto running = chair::statusFrame(0xF1, 4, 30, 5, 3);
    EXPECT_EQ(running, frame({0xAA, 0x55, 0xF1, 0x04, 0x1E, 0x05, 0x03, 0x1B, 0x0D, 0x0A}));
    EXPECT_TRUE(passesRemoteCheck(running));
}

TEST(StatusFrames, ShortFrameThatCouldNotCheckGoesOutLong) {
    auto small = chair::shortStatusFrame(0xF6, 3);
    EXPECT_EQ(small.size(), 7u);
    EXPECT_TRUE(passesRemoteCheck(small));
    // F6 + 0x0A = 0x100: a short frame can never carry that sum.
    auto large = chair::shortStatusFrame(0xF6, 0x0A);
    EXPECT_EQ(large.size(), 10u);
    EXPECT_TRUE(passesRemoteCheck(large));
}

TEST(StatusFrames, EveryReportOfABusyChairChecks) {
    chair::ChairStatus s;
    s.mode = chair::kPaused;
    s.remainingMinutes = 45;
    s.position = 11;
    s.intensity = 5;
    s.programme = 10;
    s.range = 5;
    s.technique = 8;
    s.speed = s.width = 5;
    s.armOn = s.traction = s.rollersOn = s.heat = true;
    s.zone = 3;
    s.armIntensity = s.lowerIntensity = s.rollerSpeed = 3;
    s.autoKey = 3;
    s.serviceStarted = 1;
    s.serviceItem = 3;
    auto frames = chair::fullStatus(s);
    ASSERT_EQ(frames.size(), 7u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i][2], 0xF1 + i);
        EXPECT_TRUE(passesRemoteCheck(frames[i])) << i;
        EXPECT_FALSE(passesRemoteCheck(chair::withBrokenChecksum(frames[i]))) << i;
    }
    EXPECT_EQ(frames[3], chair::statusFrame(0xF4, 3, 3, 3, 1));
    EXPECT_EQ(frames[4], chair::statusFrame(0xF5, 3, 0, 1, 0));
}

TEST(StatusFrames, CommandFramesAreToldFromUpdateData) {
    EXPECT_TRUE(chair::isCommandFrame(frame({0xAA, 0x55, 0x01, 0x31, 0x32, 0x0D, 0x0A})));
    EXPECT_TRUE(chair::isCommandFrame(frame({0xAA, 0x55, 0x10, 0xF5, 0x05, 0x0D, 0x0A})));
    EXPECT_FALSE(chair::isCommandFrame(frame({0xAA, 0x55, 0x01, 0x31, 0x33, 0x0D, 0x0A})));
    EXPECT_FALSE(chair::isCommandFrame(frame({0xAA, 0x55, 0x01, 0x31, 0x32, 0x0D})));
    EXPECT_FALSE(chair::isCommandFrame(chair::Bytes(102, 0xAA)));
}

TEST(ChairFaults, ShapingJoinsSplitsAndCorruptsAsAsked) {
    auto a = chair::statusFrame(0xF1, 1);
    auto b = chair::statusFrame(0xF2, 2);
    auto c = chair::shortStatusFrame(0xF6, 1);
    chair::ChairFaults faults;
    EXPECT_EQ(chair::shapeNotifications({a, b, c}, faults), (std::vector<chair::Bytes>{a, b, c}));

    faults.joinFrames = true;
    auto joined = chair::shapeNotifications({a, b, c}, faults);
    ASSERT_EQ(joined.size(), 2u);
    EXPECT_EQ(joined[0].size(), 20u);
    EXPECT_EQ(joined[1], c);

    faults = {};
    faults.splitFrames = true;
    auto halves = chair::shapeNotifications({a, c}, faults);
    EXPECT_EQ(halves, (std::vector<chair::Bytes>{{a.begin(), a.begin() + 5},
                                                 {a.begin() + 5, a.end()},
                                                 {c.begin(), c.begin() + 3},
                                                 {c.begin() + 3, c.end()}}));

    faults = {};
    faults.corruptChecksums = 1;
    auto corrupted = chair::shapeNotifications({a, b}, faults);
    EXPECT_FALSE(passesRemoteCheck(corrupted[0]));
    EXPECT_TRUE(passesRemoteCheck(corrupted[1]));
    EXPECT_EQ(faults.corruptChecksums, 0);
}

}  // namespace
