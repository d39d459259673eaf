#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "LinkWorld.h"
#include "link/CommandFrames.h"
#include "link/Hex.h"

namespace {

using chairlink::buildCommandFrame;
using chairlink::ChairState;
using linktest::hex;

std::string frameText(const chairlink::CommandFrame& frame) {
    return chairlink::upperHexPairs(chairlink::Bytes(frame.begin(), frame.end()));
}

// Every code with a frame of its own; setting codes with every field left at 0.
const std::map<int, const char*> kGolden = {
    {0, "AA 55 C3 3C FF 0D 0A"},   {1, "AA 55 C0 0C CC 0D 0A"},   {16, "AA 55 10 00 10 0D 0A"},
    {17, "AA 55 11 00 11 0D 0A"},  {18, "AA 55 12 00 12 0D 0A"},  {19, "AA 55 13 00 13 0D 0A"},
    {20, "AA 55 14 00 14 0D 0A"},  {21, "AA 55 15 00 15 0D 0A"},  {48, "AA 55 01 30 31 0D 0A"},
    {49, "AA 55 01 31 32 0D 0A"},  {50, "AA 55 01 32 33 0D 0A"},  {51, "AA 55 01 33 34 0D 0A"},
    {52, "AA 55 01 34 35 0D 0A"},  {53, "AA 55 01 35 36 0D 0A"},  {54, "AA 55 01 36 37 0D 0A"},
    {55, "AA 55 01 37 38 0D 0A"},  {64, "AA 55 01 40 41 0D 0A"},  {65, "AA 55 01 41 42 0D 0A"},
    {66, "AA 55 01 42 43 0D 0A"},  {67, "AA 55 01 43 44 0D 0A"},  {68, "AA 55 01 44 45 0D 0A"},
    {69, "AA 55 01 45 46 0D 0A"},  {70, "AA 55 01 46 47 0D 0A"},  {80, "AA 55 01 50 51 0D 0A"},
    {81, "AA 55 01 51 52 0D 0A"},  {82, "AA 55 01 52 53 0D 0A"},  {83, "AA 55 01 53 54 0D 0A"},
    {84, "AA 55 01 54 55 0D 0A"},  {96, "AA 55 01 60 61 0D 0A"},  {97, "AA 55 01 61 62 0D 0A"},
    {98, "AA 55 01 62 63 0D 0A"},  {99, "AA 55 01 63 64 0D 0A"},  {100, "AA 55 01 64 65 0D 0A"},
    {101, "AA 55 01 65 66 0D 0A"}, {106, "AA 55 01 6A 6B 0D 0A"}, {112, "AA 55 01 70 71 0D 0A"},
    {113, "AA 55 01 71 72 0D 0A"}, {114, "AA 55 01 72 73 0D 0A"}, {115, "AA 55 01 73 74 0D 0A"},
    {118, "AA 55 01 76 77 0D 0A"}, {119, "AA 55 01 77 78 0D 0A"}, {120, "AA 55 01 78 79 0D 0A"},
    {121, "AA 55 01 79 7A 0D 0A"}, {128, "AA 55 01 80 81 0D 0A"}, {129, "AA 55 01 81 82 0D 0A"},
    {136, "AA 55 01 88 89 0D 0A"}, {137, "AA 55 01 89 8A 0D 0A"}, {144, "AA 55 01 90 91 0D 0A"},
    {145, "AA 55 01 91 92 0D 0A"}, {146, "AA 55 01 92 93 0D 0A"}, {147, "AA 55 01 93 94 0D 0A"},
    {148, "AA 55 01 94 95 0D 0A"}, {156, "AA 55 01 9C 9D 0D 0A"}, {160, "AA 55 01 A0 A1 0D 0A"},
    {161, "AA 55 01 A1 A2 0D 0A"}, {162, "AA 55 01 A2 A3 0D 0A"}, {163, "AA 55 01 A3 A4 0D 0A"},
    {164, "AA 55 01 A4 A5 0D 0A"}, {165, "AA 55 01 A5 A6 0D 0A"}, {177, "AA 55 01 B1 B2 0D 0A"},
    {184, "AA 55 01 B8 B9 0D 0A"}, {185, "AA 55 01 B9 BA 0D 0A"}, {186, "AA 55 01 BA BB 0D 0A"},
    {187, "AA 55 01 BB BC 0D 0A"}, {188, "AA 55 01 BC BD 0D 0A"},
};

TEST(CommandFrames, EveryCodeOfTheTableAndNothingElseHasAFrameOfItsOwn) {
    ChairState state;
    for (int code = -300; code <= 600; ++code) {
        auto golden = kGolden.find(code);
        std::string expected = golden != kGolden.end() ? golden->second : "AA 55 00 00 00 0D 0A";
        EXPECT_EQ(frameText(buildCommandFrame(code, state)), expected) << "code " << code;
    }
    EXPECT_EQ(frameText(buildCommandFrame(INT_MIN, state)), "AA 55 00 00 00 0D 0A");
    EXPECT_EQ(frameText(buildCommandFrame(INT_MAX, state)), "AA 55 00 00 00 0D 0A");
    // A code whose low byte is a simple code is still not one.
    EXPECT_EQ(frameText(buildCommandFrame(256 + 49, state)), "AA 55 00 00 00 0D 0A");
}

TEST(CommandFrames, SettingCodesCarryTheirOwnFieldAndWrapTheChecksum) {
    ChairState state;
    state.uppperIntensity = 0xF5;
    state.handSpeed = 3;
    state.handWidth = 5;
    state.armPressureIntensity = 1;
    state.lowerPressureIntensity = 2;
    state.footRollerSpeed = 0xFF;
    EXPECT_EQ(frameText(buildCommandFrame(16, state)), "AA 55 10 F5 05 0D 0A");
    EXPECT_EQ(frameText(buildCommandFrame(17, state)), "AA 55 11 03 14 0D 0A");
    EXPECT_EQ(frameText(buildCommandFrame(18, state)), "AA 55 12 05 17 0D 0A");
    EXPECT_EQ(frameText(buildCommandFrame(19, state)), "AA 55 13 01 14 0D 0A");
    EXPECT_EQ(frameText(buildCommandFrame(20, state)), "AA 55 14 02 16 0D 0A");
    EXPECT_EQ(frameText(buildCommandFrame(21, state)), "AA 55 15 FF 14 0D 0A");
    // Fields that no setting code carries change no frame.
    ChairState other;
    other.lowerPressureStatus = 3;
    other.massageMode = 7;
    other.otherBackHeartStatus = false;
    for (int code = 16; code <= 21; ++code) {
        EXPECT_EQ(buildCommandFrame(code, other), buildCommandFrame(code, ChairState{}));
    }
}

TEST(CommandFrames, ClassifiesCodes) {
    EXPECT_TRUE(chairlink::isSettingCode(16));
    EXPECT_TRUE(chairlink::isSettingCode(21));
    EXPECT_FALSE(chairlink::isSettingCode(15));
    EXPECT_FALSE(chairlink::isSettingCode(22));
    EXPECT_TRUE(chairlink::isSimpleCode(48));
    EXPECT_TRUE(chairlink::isSimpleCode(188));
    EXPECT_FALSE(chairlink::isSimpleCode(56));
    EXPECT_FALSE(chairlink::isSimpleCode(189));
    EXPECT_EQ(chairlink::commandChecksum(0x10, 0xF5), 0x05);
}

TEST(Hex, FormatsTheLogFormAndTheTechniciansForm) {
    EXPECT_EQ(chairlink::lowerHexWithTrailingSpaces(hex("AA550D")), "aa 55 0d ");
    EXPECT_EQ(chairlink::lowerHexWithTrailingSpaces(hex("000F10FF")), "00 0f 10 ff ");
    EXPECT_EQ(chairlink::lowerHexWithTrailingSpaces({}), "");
    EXPECT_EQ(chairlink::upperHexPairs(hex("aa 55 0d")), "AA 55 0D");
    EXPECT_EQ(chairlink::upperHexPairs({}), "");
}

TEST(Hex, ParsesPairsWithOptionalSpacesAndRefusesAnythingElse) {
    EXPECT_EQ(chairlink::parseHexBytes("AA55 0d0a"), hex("AA 55 0D 0A"));
    EXPECT_EQ(chairlink::parseHexBytes(""), chairlink::Bytes{});
    EXPECT_FALSE(chairlink::parseHexBytes("AA5"));
    EXPECT_FALSE(chairlink::parseHexBytes("A A"));
    EXPECT_FALSE(chairlink::parseHexBytes("0x10"));
    EXPECT_FALSE(chairlink::parseHexBytes("GG"));
}

}  // namespace
