// A capture taken on the link stack reads back as the values that went over the link, with
// their times; a damaged file is refused or cut at the damage, never misread.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

#include "LinkWorld.h"
#include "link/CaptureReader.h"
#include "link/LinkStack.h"

namespace {

using chairlink::Bytes;
using chairlink::CapturedValue;
using linktest::hex;
using Way = CapturedValue::Way;

class LinkCaptureTest : public ::testing::Test {
protected:
    // The chair connects, the remote sends code 51 a second later, the chair answers once
    // with a good frame and once with a garbled one; read back from the file.
    Bytes record() {
        // One file per test: ctest runs the tests of this file side by side.
        const std::string path = ::testing::TempDir() + "/" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                                 ".btsnoop";
        std::string error;
        auto capture = chairlink::LinkCapture::open(path, world.clock, error);
        EXPECT_TRUE(capture) << error;
        world.radio.addPeripheral(linktest::LinkWorld::chair());
        {
            chairlink::LinkStack stack(
                world.env(), [](const Bytes&) {}, capture);
            world.settle();
            world.clock.advance(1);
            stack.controller().sendCode(51);
            world.radio.notify(hex("AA55 F1 04 1E 05 03 1B 0D0A"));
            world.clock.advance(0.25);
            world.radio.notify(hex("AA55 F1 04 1E 05 03 1C 0D0A"));
            world.settle();
        }
        std::ifstream file(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(file), {});
    }

    linktest::LinkWorld world;
};

TEST_F(LinkCaptureTest, EveryValueOverTheLinkReadsBackInOrderWithItsTime) {
    const chairlink::CaptureReading r = chairlink::readCapture(record());
    ASSERT_FALSE(r.refused);
    EXPECT_TRUE(r.problems.empty());
    EXPECT_EQ(r.handlesFoundBy, "discovery");
    const std::vector<std::tuple<Way, Bytes, std::int64_t>> expected = {
        {Way::Written, hex("AA55 01 31 32 0D0A"), 0},        // link up
        {Way::Written, hex("AA55 01 33 34 0D0A"), 1000000},  // power on
        {Way::Notified, hex("AA55 F1 04 1E 05 03 1B 0D0A"), 1000000},
        {Way::Written, hex("AA55 C3 3C FF 0D0A"), 1000000},  // acknowledge
        {Way::Notified, hex("AA55 F1 04 1E 05 03 1C 0D0A"), 1250000},
        {Way::Written, hex("AA55 C0 0C CC 0D0A"), 1250000}};  // reject
    std::vector<std::tuple<Way, Bytes, std::int64_t>> read;
    for (const auto& v : r.values) read.emplace_back(v.way, v.value, v.micros - r.values[0].micros);
    EXPECT_EQ(read, expected);
}

TEST_F(LinkCaptureTest, ACutFileKeepsTheWholeRecordsAndNamesTheCutOne) {
    const Bytes whole = record();
    const std::size_t values = chairlink::readCapture(whole).values.size();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const auto r = chairlink::readCapture(std::span(whole).first(size));
        if (size < 16) {
            EXPECT_EQ(r.refused, "not a btsnoop capture (no \"btsnoop\" file header)") << size;
            continue;
        }
        EXPECT_LE(r.values.size(), values) << size;
        if (r.problems.empty()) continue;  // cut between two records
        ASSERT_EQ(r.problems.size(), 1u) << size;
        EXPECT_NE(r.problems[0].find(": cut short"), std::string::npos) << r.problems[0];
    }
}

}  // namespace
