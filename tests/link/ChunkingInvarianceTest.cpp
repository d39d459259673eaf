// The app's receiver over a live session controller, with the client's queue, the drain and
// the main thread each on their own. However the chair's bytes are cut into notifications and
// however many drain runs race for them, it reaches the same decisions: the same frames
// decoded in the same order, the same acknowledges and rejects. The cutting rule itself, over
// any cutting, is the receive-path fuzz target's, whose corpus every build replays.
#include <optional>
#include <random>

#include "LinkWorld.h"
#include "link/LinkStack.h"
#include "link/ReadBuffer.h"
#include "link/StatusFrames.h"

namespace {

using chairlink::Bytes;
using linktest::hex;

const Bytes kAck = hex("AA55 C3 3C FF 0D0A");
const Bytes kReject = hex("AA55 C0 0C CC 0D0A");  // the chair's stop frame has the same bytes

// The main screen's side on a connected link: the link stack, with a decoder that records.
// Writes start empty.
class Receiver : public ::testing::Test {
protected:
    void SetUp() override {
        world.radio.addPeripheral(linktest::LinkWorld::chair());
        link.emplace(world.env(), [this](const Bytes& f) {
            onMainThread = onMainThread && world.main.isCurrent();
            decoded.push_back(f);
        });
        world.settle();
        world.radio.clearWrites();
    }
    void TearDown() override {
        world.settle();
        link.reset();
    }

    struct Decisions {
        std::vector<Bytes> decoded;
        std::vector<Bytes> answers;
        bool operator==(const Decisions&) const = default;
    };

    // With `piled`, the receiver holds its runs until all but the last cut are in, then
    // releases one run for each of them at once.
    Decisions feed(const Bytes& stream, const std::vector<std::size_t>& cuts, bool piled = false) {
        decoded.clear();
        world.radio.clearWrites();
        if (piled) link->receiver().hold();
        std::size_t at = 0;
        for (std::size_t length : cuts) {
            if (piled && at + length == stream.size()) {
                world.settle();
                link->receiver().release();
            }
            world.radio.notify(Bytes(stream.begin() + at, stream.begin() + at + length));
            at += length;
        }
        world.settle();
        return {decoded, world.radio.writtenValues()};
    }

    linktest::LinkWorld world;
    std::optional<chairlink::LinkStack> link;
    std::vector<Bytes> decoded;
    bool onMainThread = true;
};

struct Piece {
    enum Kind { Frame, HitFrame, Noise } kind;
    Bytes bytes;
};

// A session's worth of what a chair sends: every frame type, with bytes of noise (never a
// header byte) and frames whose checksum was hit on the way. Ends on a whole frame, so
// nothing is left in the buffer between cuttings.
std::vector<Piece> sessionPieces(std::mt19937& random) {
    std::vector<Piece> pieces;
    const std::uint8_t longTypes[] = {0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7};
    for (int i = 0; i < 30; ++i) {
        // Values the chair sends; every sum stays one the receiver can check.
        const auto d = [&] { return static_cast<std::uint8_t>(random() % 60); };
        Bytes frame = i % 5 == 4
                          ? chairlink::makeShortStatusFrame(i % 2 ? 0x01 : 0xA5, d())
                          : chairlink::makeLongStatusFrame(longTypes[i % 7], d(), d(), d(), d());
        const bool hit = random() % 6 == 0;
        if (hit) frame[frame.size() - 3] ^= 0x5A;  // the checksum
        pieces.push_back({hit ? Piece::HitFrame : Piece::Frame, frame});
        if (random() % 4 == 0) {
            Bytes noise;
            for (int n = 1 + random() % 3; n > 0; --n) {
                const auto byte = static_cast<std::uint8_t>(random() % 256);
                noise.push_back(byte == chairlink::kHeaderFirst ? 0x00 : byte);
            }
            pieces.push_back({Piece::Noise, noise});
        }
    }
    pieces.push_back({Piece::Frame, chairlink::makeShortStatusFrame(0x01, 0x31)});
    return pieces;
}

TEST_F(Receiver, OneByteAtATimeAndPiledUpRunsDecideAsOneFramePerNotification) {
    std::mt19937 random(20261207);
    const auto pieces = sessionPieces(random);
    Bytes stream;
    std::vector<std::size_t> onePerPiece;
    // Every frame is answered as its checksum says and decoded if whole; noise is dropped.
    Decisions expected;
    for (const Piece& piece : pieces) {
        stream.insert(stream.end(), piece.bytes.begin(), piece.bytes.end());
        onePerPiece.push_back(piece.bytes.size());
        if (piece.kind != Piece::Noise) {
            expected.answers.push_back(piece.kind == Piece::Frame ? kAck : kReject);
        }
        if (piece.kind == Piece::Frame) expected.decoded.push_back(piece.bytes);
    }
    // The reference: every frame (and every run of noise) in a notification of its own.
    ASSERT_TRUE(feed(stream, onePerPiece) == expected);
    ASSERT_TRUE(onMainThread);
    for (const Piece& piece : pieces) {
        if (piece.kind != Piece::Noise) continue;
        EXPECT_TRUE(world.logs.contains("Dropped bytes that are no status frame: " +
                                        chairlink::upperHexPairs(piece.bytes)));
    }
    EXPECT_TRUE(feed(stream, std::vector<std::size_t>(stream.size(), 1)) == expected)
        << "one byte per notification";
    std::vector<std::size_t> thirteens(stream.size() / 13 - 1, 13);
    thirteens.push_back(13 + stream.size() % 13);
    EXPECT_TRUE(feed(stream, thirteens, true) == expected)
        << "piled up first, then drained by many runs at once";
    EXPECT_EQ(link->controller().readBytesAvailable(), 0u);
}

const Bytes kRunning = hex("AA55 F1 04 1E 05 03 1B 0D0A");
const Bytes kEcho = hex("AA55 01 B1 B2 0D0A");

TEST_F(Receiver, TheStopFrameEndsTheRunSilentlyAndWhatFollowsWaitsForTheNextRun) {
    world.radio.notify(hex("AA55 01 B1 B2 0D0A  AA55 C0 0C CC 0D0A  AA55 F1 04 1E 05 03 1B 0D0A"));
    world.settle();
    EXPECT_EQ(world.radio.writtenValues(), std::vector<Bytes>{kAck});
    EXPECT_EQ(decoded, std::vector<Bytes>{kEcho});
    world.radio.notify(kEcho);
    world.settle();
    EXPECT_EQ(decoded, (std::vector<Bytes>{kEcho, kRunning, kEcho}));
}

// Taken or dropped bytes are skipped and let go of later in bulk; whatever the pattern, the buffer
// must give back exactly the stream it was given, in order, across many of those drops.
TEST(ReadBuffer, TakesDropsAndPeeksFollowTheStreamAcrossManyCompactions) {
    std::mt19937 random(11);
    chairlink::ReadBuffer buffer;
    // The model: the stream's bytes are their own positions, so two counts describe it.
    std::size_t appended = 0, taken = 0;
    for (int step = 0; step < 20000; ++step) {
        if (random() % 2) {
            Bytes chunk(random() % 40);
            for (auto& byte : chunk) byte = static_cast<std::uint8_t>(appended++);
            buffer.append(chunk);
        } else {
            const std::size_t n = random() % 50;
            const auto peeked = buffer.peek(n);
            ASSERT_EQ(peeked.has_value(), n <= appended - taken) << step;
            // The drain peeks and then drops; other readers take.
            if (random() % 2) {
                ASSERT_EQ(buffer.drop(n), peeked.has_value()) << step;
            } else {
                ASSERT_EQ(buffer.take(n), peeked) << step;
            }
            if (!peeked) continue;
            for (std::uint8_t byte : *peeked)
                ASSERT_EQ(byte, static_cast<std::uint8_t>(taken++)) << step;
        }
        ASSERT_EQ(buffer.size(), appended - taken) << step;
    }
}

}  // namespace
