#include <gtest/gtest.h>

#include "chair/StatusFrames.h"
#include "link/StatusFrames.h"
#include "tests/chair/ChairRig.h"

namespace {

using chairtest::frame;

// The chair's frames must pass the remote's own checksum rules, at every length.
TEST(StatusFrames, LayoutAndChecksumsMatchTheReceiverRules) {
    // F1 + 04 + 1E + 05 + 03 = 0x11B: the low byte goes out, the receiver adds the carry.
    auto running = chair::statusFrame(0xF1, 4, 30, 5, 3);
    EXPECT_EQ(running, frame({0xAA, 0x55, 0xF1, 0x04, 0x1E, 0x05, 0x03, 0x1B, 0x0D, 0x0A}));
    EXPECT_EQ(chair::shortStatusFrame(0xF6, 3).size(), 7u);
    // F6 + 0x0A = 0x100: a short frame can never carry that sum, so it goes out long.
    EXPECT_EQ(chair::shortStatusFrame(0xF6, 0x0A).size(), 10u);
    EXPECT_TRUE(chairlink::passesLongChecksum(chair::shortStatusFrame(0xF6, 0x0A)));

    EXPECT_TRUE(chair::isCommandFrame(chairtest::kLinkUp));
    EXPECT_TRUE(chair::isCommandFrame(frame({0xAA, 0x55, 0x10, 0xF5, 0x05, 0x0D, 0x0A})));
    EXPECT_FALSE(chair::isCommandFrame(frame({0xAA, 0x55, 0x01, 0x31, 0x33, 0x0D, 0x0A})));
    EXPECT_FALSE(chair::isCommandFrame(frame({0xAA, 0x55, 0x01, 0x31, 0x32, 0x0D})));
    EXPECT_FALSE(chair::isCommandFrame(chair::Bytes(102, 0xAA)));
}

}  // namespace
