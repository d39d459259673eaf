// What goes to the chair (command frames) and what comes back (status frames).
#include <climits>
#include <cstdio>
#include <tuple>

#include "LinkWorld.h"
#include "link/CommandFrames.h"
#include "link/Hex.h"
#include "link/StatusFrames.h"

namespace {

using chairlink::buildCommandFrame;
using chairlink::Bytes;
using chairlink::ChairState;
using chairlink::PieceKind;
using linktest::hex;

std::string frameText(const chairlink::CommandFrame& frame) {
    return chairlink::upperHexPairs(Bytes(frame.begin(), frame.end()));
}

// The chair's simple codes, as ranges; each goes out as 01, code, code + 1.
bool simple(int code) {
    const std::pair<int, int> ranges[] = {
        {48, 55},   {64, 70},   {80, 84},   {96, 101},  {106, 106}, {112, 115}, {118, 121},
        {128, 129}, {136, 137}, {144, 148}, {156, 156}, {160, 165}, {177, 177}, {184, 188}};
    for (auto [low, high] : ranges) {
        if (code >= low && code <= high) return true;
    }
    return false;
}

TEST(CommandFrames, EveryCodeOfTheTableAndNothingElseHasAFrameOfItsOwn) {
    // A code whose low byte is a simple code is still not one.
    std::vector<int> codes = {INT_MIN, INT_MAX, 256 + 49};
    for (int code = -300; code <= 600; ++code) codes.push_back(code);
    for (int code : codes) {
        char expected[32] = "AA 55 00 00 00 0D 0A";
        if (code == 0) {
            std::snprintf(expected, sizeof expected, "AA 55 C3 3C FF 0D 0A");
        } else if (code == 1) {
            std::snprintf(expected, sizeof expected, "AA 55 C0 0C CC 0D 0A");
        } else if (code >= 16 && code <= 21) {  // setting codes, every field at 0
            std::snprintf(expected, sizeof expected, "AA 55 %02X 00 %02X 0D 0A", code, code);
        } else if (simple(code)) {
            std::snprintf(expected, sizeof expected, "AA 55 01 %02X %02X 0D 0A", code, code + 1);
        }
        EXPECT_EQ(frameText(buildCommandFrame(code, ChairState{})), expected) << "code " << code;
        EXPECT_EQ(chairlink::isSimpleCode(code), simple(code)) << code;
        EXPECT_EQ(chairlink::isSettingCode(code), code >= 16 && code <= 21) << code;
    }
}

TEST(CommandFrames, SettingCodesCarryTheirOwnFieldAndWrapTheChecksum) {
    const ChairState state{.uppperIntensity = 0xF5,
                           .handSpeed = 3,
                           .handWidth = 5,
                           .armPressureIntensity = 1,
                           .lowerPressureIntensity = 2,
                           .footRollerSpeed = 0xFF};
    const char* expected[] = {"AA 55 10 F5 05 0D 0A", "AA 55 11 03 14 0D 0A",
                              "AA 55 12 05 17 0D 0A", "AA 55 13 01 14 0D 0A",
                              "AA 55 14 02 16 0D 0A", "AA 55 15 FF 14 0D 0A"};
    // Fields that no setting code carries change no frame.
    const ChairState other{
        .massageMode = 7, .lowerPressureStatus = 3, .otherBackHeartStatus = false};
    for (int code = 16; code <= 21; ++code) {
        EXPECT_EQ(frameText(buildCommandFrame(code, state)), expected[code - 16]);
        EXPECT_EQ(buildCommandFrame(code, other), buildCommandFrame(code, ChairState{}));
    }
}

// The controller's log lines and script mode's chair-got lines show both hex forms; here, their
// edges.
TEST(Hex, AnEmptyRunFormatsAsNothingAndOnlyWholePairsParse) {
    EXPECT_EQ(chairlink::upperHexPairs({}), "");
    EXPECT_EQ(chairlink::parseHexBytes("AA55 0d0a"), (Bytes{0xAA, 0x55, 0x0D, 0x0A}));
    EXPECT_EQ(chairlink::parseHexBytes(""), Bytes{});
    for (const char* bad : {"AA5", "A A", "0x10", "GG"}) {
        EXPECT_FALSE(chairlink::parseHexBytes(bad)) << bad;
    }
}

// The edges of each rule; frames that pass or fail it in the stream are the cutting's cases.
TEST(StatusChecksum, ShortFramesAddWithoutReductionLongFramesAllowOneCarryIntoBitEight) {
    const std::tuple<const char*, bool, bool> frames[] = {
        // Short frames.
        {"AA55 C33C FF 0D0A", false, true},   // 255: the largest that passes
        {"AA55 C43C 00 0D0A", false, false},  // 256 is not 0
        {"AA55 01B1 B3 0D0A", false, false},
        {"0000 0102 03 0000", false, true},  // header and trailer are not examined
        {"AA55 0102 03 0D", false, false},   // wrong length
        // Long frames.
        {"AA55 F0 0F 00 00 00 FF 0D0A", true, true},   // 255
        {"AA55 F0 10 00 00 00 00 0D0A", true, true},   // 256
        {"AA55 FF FF 01 00 00 FF 0D0A", true, true},   // 511
        {"AA55 FF FF 02 00 00 00 0D0A", true, false},  // 512 fails always
        {"AA55 FF FF FF FF FF FB 0D0A", true, false},  // 1275
        {"AA55 F1 04 1E 05 03 1B 0D", true, false},    // wrong length
    };
    for (auto [text, isLong, passes] : frames) {
        const Bytes f = hex(text);
        EXPECT_EQ(isLong ? chairlink::passesLongChecksum(f) : chairlink::passesShortChecksum(f),
                  passes)
            << text;
    }
}

TEST(FrameCutting, CutsFramesNoiseAndRejectsAndLeavesWhatMayStillGrowBuffered) {
    using enum PieceKind;
    struct Case {
        const char* bytes;
        std::vector<PieceKind> kinds;
        std::size_t consumed;
        std::vector<const char*> pieces = {};  // the bytes of the first pieces
    };
    const Case cases[] = {
        {"AA55 F1 04 1E 05 03 1B 0D0A  AA55 01 B1 B2 0D0A  AA55 F3 01 02 03 04 FD 0D0A",
         {Accepted, Accepted, Accepted},
         27,
         {"AA55 F1 04 1E 05 03 1B 0D0A", "AA55 01 B1 B2 0D0A"}},
        {"AA55 F1 04 1E 05 03 1B 0D", {}, 0},  // unfinished
        {"AA", {}, 0},
        {"AA55 01 B1 B2 0D0A AA", {Accepted}, 7},  // a lone header byte waits
        {"01 55 AA 00  AA55 01 B1 B2 0D0A  0D 0A FF",
         {Noise, Accepted, Noise},
         14,
         {"01 55 AA 00", "AA55 01 B1 B2 0D0A", "0D 0A FF"}},
        // A false header hides a real frame two bytes later. Nine bytes could still be the
        // start of a long frame, so they wait; the tenth byte settles it.
        {"AA55 AA55 01 B1 B2 0D0A", {}, 0},
        {"AA55 AA55 01 B1 B2 0D0A 00",
         {Noise, Accepted, Noise},
         10,
         {"AA55", "AA55 01 B1 B2 0D0A"}},
        {"AA55 00 01 02 03 04 05 06 07", {Noise}, 10},  // no trailer anywhere
        {"AA55 F1 04 1E 05 03 1C 0D0A  AA55 F020 10 0D0A  AA55 01 B1 B2 0D0A",
         {BadChecksum, BadChecksum, Accepted},
         24},
        // The stop frame ends the cut; what follows is left for later.
        {"AA55 01 B1 B2 0D0A  AA55 C0 0C CC 0D0A  AA55 F3 01 02 03 04 FD 0D0A",
         {Accepted, Stop},
         14},
        // The length rule looks at bytes 5-6 first; 0D 0A there make a short frame.
        {"AA55 F3 01 02 0D 0A 0A 0D0A", {BadChecksum, Noise}, 10, {"AA55 F3 01 02 0D 0A"}},
    };
    for (const Case& c : cases) {
        const Bytes input = hex(c.bytes);  // the pieces point into it
        const auto cut = chairlink::cutStatusFrames(input);
        std::vector<PieceKind> kinds;
        for (const auto& piece : cut.pieces) kinds.push_back(piece.kind);
        EXPECT_EQ(kinds, c.kinds) << c.bytes;
        EXPECT_EQ(cut.consumed, c.consumed) << c.bytes;
        for (std::size_t i = 0; i < c.pieces.size() && i < cut.pieces.size(); ++i) {
            EXPECT_EQ(Bytes(cut.pieces[i].bytes.begin(), cut.pieces[i].bytes.end()),
                      hex(c.pieces[i]))
                << c.bytes << " piece " << i;
        }
    }
}

}  // namespace
