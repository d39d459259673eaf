#include <gtest/gtest.h>

#include "LinkWorld.h"
#include "link/StatusFrames.h"

namespace {

using chairlink::cutStatusFrames;
using chairlink::FrameCut;
using chairlink::passesLongChecksum;
using chairlink::passesShortChecksum;
using chairlink::PieceKind;
using linktest::hex;

TEST(StatusChecksum, ShortFramesAddTypeAndValueWithoutReduction) {
    EXPECT_TRUE(passesShortChecksum(hex("AA55 C33C FF 0D0A")));  // 255: the largest that passes
    EXPECT_TRUE(passesShortChecksum(hex("AA55 01B1 B2 0D0A")));
    EXPECT_FALSE(passesShortChecksum(hex("AA55 F020 10 0D0A")));  // 0x110 never fits a byte
    EXPECT_FALSE(passesShortChecksum(hex("AA55 C43C 00 0D0A")));  // 256 is not 0
    EXPECT_FALSE(passesShortChecksum(hex("AA55 01B1 B3 0D0A")));
    // Header and trailer are not examined.
    EXPECT_TRUE(passesShortChecksum(hex("0000 0102 03 0000")));
    EXPECT_FALSE(passesShortChecksum(hex("AA55 0102 03 0D")));  // wrong length
}

TEST(StatusChecksum, LongFramesAllowOneCarryIntoBitEight) {
    EXPECT_TRUE(passesLongChecksum(hex("AA55 F1 04 1E 05 03 1B 0D0A")));  // 0x11B by the carry
    EXPECT_FALSE(passesLongChecksum(hex("AA55 F1 04 1E 05 03 1C 0D0A")));
    EXPECT_TRUE(passesLongChecksum(hex("AA55 F3 01 02 03 04 FD 0D0A")));   // 0xFD exactly
    EXPECT_TRUE(passesLongChecksum(hex("AA55 F0 0F 00 00 00 FF 0D0A")));   // 255
    EXPECT_TRUE(passesLongChecksum(hex("AA55 F0 10 00 00 00 00 0D0A")));   // 256
    EXPECT_TRUE(passesLongChecksum(hex("AA55 FF FF 01 00 00 FF 0D0A")));   // 511
    EXPECT_FALSE(passesLongChecksum(hex("AA55 FF FF 02 00 00 00 0D0A")));  // 512 fails always
    EXPECT_FALSE(passesLongChecksum(hex("AA55 FF FF FF FF FF FB 0D0A")));  // 1275
    EXPECT_FALSE(passesLongChecksum(hex("AA55 F1 04 1E 05 03 1B 0D")));    // wrong length
}

TEST(StatusFrames, BuildersFillInChecksumsTheReceiverAccepts) {
    EXPECT_EQ(chairlink::makeLongStatusFrame(0xF1, 0x04, 0x1E, 0x05, 0x03),
              hex("AA55 F1 04 1E 05 03 1B 0D0A"));
    EXPECT_EQ(chairlink::makeShortStatusFrame(0x01, 0xB1), hex("AA55 01 B1 B2 0D0A"));
    EXPECT_EQ(chairlink::makeShortStatusFrame(0xA5, 0x5A), hex("AA55 A5 5A FF 0D0A"));
    EXPECT_TRUE(passesLongChecksum(chairlink::makeLongStatusFrame(0xF7, 0xFF, 0x01, 0, 0)));
    // A sum of 512 or more cannot be carried: such a frame is refused whatever its byte 7.
    EXPECT_FALSE(passesLongChecksum(chairlink::makeLongStatusFrame(0xF7, 0xFF, 0xFF, 0x01, 0)));
    EXPECT_EQ(chairlink::statusTypeName(0xF4), "air pressure");
    EXPECT_EQ(chairlink::statusTypeName(0x42), "unknown");
}

chairlink::Bytes bytesOf(const chairlink::FramePiece& piece) {
    return {piece.bytes.begin(), piece.bytes.end()};
}

std::vector<PieceKind> kinds(const FrameCut& cut) {
    std::vector<PieceKind> out;
    for (auto& p : cut.pieces) out.push_back(p.kind);
    return out;
}

TEST(FrameCutting, SeparatesFramesThatArrivedJoined) {
    auto bytes =
        hex("AA55 F1 04 1E 05 03 1B 0D0A  AA55 01 B1 B2 0D0A  AA55 F3 01 02 03 04 FD 0D0A");
    FrameCut cut = cutStatusFrames(bytes);
    ASSERT_EQ(kinds(cut),
              (std::vector{PieceKind::Accepted, PieceKind::Accepted, PieceKind::Accepted}));
    EXPECT_EQ(bytesOf(cut.pieces[1]), hex("AA55 01 B1 B2 0D0A"));
    EXPECT_EQ(cut.consumed, bytes.size());
}

TEST(FrameCutting, LeavesAnUnfinishedFrameAndALoneHeaderByteBuffered) {
    for (std::size_t keep = 1; keep < 10; ++keep) {
        auto frame = hex("AA55 F1 04 1E 05 03 1B 0D0A");
        frame.resize(keep);
        FrameCut cut = cutStatusFrames(frame);
        EXPECT_TRUE(cut.pieces.empty()) << keep;
        EXPECT_EQ(cut.consumed, 0u) << keep;
    }
    FrameCut cut = cutStatusFrames(hex("AA55 01 B1 B2 0D0A AA"));
    EXPECT_EQ(kinds(cut), std::vector{PieceKind::Accepted});
    EXPECT_EQ(cut.consumed, 7u);
}

TEST(FrameCutting, DropsNoiseBeforeHeadersAndAfterTheLastFrame) {
    auto bytes = hex("01 55 AA 00  AA55 01 B1 B2 0D0A  0D 0A FF");
    FrameCut cut = cutStatusFrames(bytes);
    ASSERT_EQ(kinds(cut), (std::vector{PieceKind::Noise, PieceKind::Accepted, PieceKind::Noise}));
    EXPECT_EQ(bytesOf(cut.pieces[0]), hex("01 55 AA 00"));
    EXPECT_EQ(bytesOf(cut.pieces[2]), hex("0D 0A FF"));
    EXPECT_EQ(cut.consumed, bytes.size());
}

TEST(FrameCutting, AHeaderWithoutEitherTrailerIsNoiseUpToTheNextHeader) {
    // The false header hides a real frame two bytes later. Nine bytes could still be the
    // start of a long frame, so they wait; the tenth byte settles it.
    auto bytes = hex("AA55 AA55 01 B1 B2 0D0A");
    EXPECT_EQ(cutStatusFrames(bytes).consumed, 0u);
    bytes.push_back(0x00);
    FrameCut cut = cutStatusFrames(bytes);
    ASSERT_EQ(kinds(cut), (std::vector{PieceKind::Noise, PieceKind::Accepted, PieceKind::Noise}));
    EXPECT_EQ(bytesOf(cut.pieces[0]), hex("AA55"));
    EXPECT_EQ(bytesOf(cut.pieces[1]), hex("AA55 01 B1 B2 0D0A"));
    // Ten bytes without a trailer anywhere: all noise.
    FrameCut junk = cutStatusFrames(hex("AA55 00 01 02 03 04 05 06 07"));
    EXPECT_EQ(kinds(junk), std::vector{PieceKind::Noise});
    EXPECT_EQ(junk.consumed, 10u);
}

TEST(FrameCutting, RejectsACorruptedFrameAndGoesOn) {
    auto bytes = hex("AA55 F1 04 1E 05 03 1C 0D0A  AA55 F020 10 0D0A  AA55 01 B1 B2 0D0A");
    FrameCut cut = cutStatusFrames(bytes);
    EXPECT_EQ(kinds(cut),
              (std::vector{PieceKind::BadChecksum, PieceKind::BadChecksum, PieceKind::Accepted}));
    EXPECT_EQ(cut.consumed, bytes.size());
}

TEST(FrameCutting, StopsAtTheStopFrameAndKeepsWhatFollows) {
    auto bytes = hex("AA55 01 B1 B2 0D0A  AA55 C0 0C CC 0D0A  AA55 F3 01 02 03 04 FD 0D0A");
    FrameCut cut = cutStatusFrames(bytes);
    EXPECT_EQ(kinds(cut), (std::vector{PieceKind::Accepted, PieceKind::Stop}));
    EXPECT_EQ(cut.consumed, 14u);
}

TEST(FrameCutting, ATenByteFrameWithTrailerBytesAtFiveAndSixIsReadAsShort) {
    // The length rule looks at bytes 5-6 first; D3 D4 = 0D 0A make a short frame.
    auto bytes = hex("AA55 F3 01 02 0D 0A 0A 0D0A");
    FrameCut cut = cutStatusFrames(bytes);
    ASSERT_FALSE(cut.pieces.empty());
    EXPECT_EQ(cut.pieces[0].bytes.size(), 7u);
    EXPECT_EQ(cut.pieces[0].kind, PieceKind::BadChecksum);
}

}  // namespace
