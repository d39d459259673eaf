// The drain over a live session controller. However the chair's bytes are cut into
// notifications, it reaches the same decisions: the same frames decoded in the same order,
// the same acknowledges and rejects.
#include <optional>
#include <random>

#include "LinkWorld.h"
#include "link/FrameDrain.h"
#include "link/StatusFrames.h"

namespace {

using chairlink::Bytes;
using linktest::hex;

// The main screen's side on a connected link: a drain started on every announcement (unless
// held), a decoder that records. Writes start empty.
class DrainFixture : public linktest::ControllerFixture {
protected:
    void SetUp() override {
        start();
        world.radio.clearWrites();
        drain = std::make_unique<chairlink::FrameDrain>(
            *controller, world.dispatch, [this](const Bytes& f) {
                onMainThread = onMainThread && world.main.isCurrent();
                decoded.push_back(f);
            });
        announcements = base::ObserverRegistration(
            world.center,
            world.center.addObserver(chairlink::kDataReceivedNotification, controller.get(),
                                     [this](const base::Notification&) {
                                         if (!holding) drain->start();
                                     }));
    }
    void TearDown() override {
        world.settle();
        announcements.reset();
        drain.reset();
        ControllerFixture::TearDown();
    }

    std::unique_ptr<chairlink::FrameDrain> drain;
    base::ObserverRegistration announcements;
    std::vector<Bytes> decoded;
    bool onMainThread = true;
    bool holding = false;
};

const Bytes kAck = hex("AA55 C3 3C FF 0D0A");
const Bytes kReject = hex("AA55 C0 0C CC 0D0A");  // the chair's stop frame has the same bytes

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

class ChunkingInvariance : public DrainFixture {
protected:
    struct Decisions {
        std::vector<Bytes> decoded;
        std::vector<Bytes> answers;
        bool operator==(const Decisions&) const = default;
    };
    // With `piledTail`, the drain is held until all but those last bytes are in.
    Decisions feed(const Bytes& stream, std::vector<std::size_t> cuts,
                   std::optional<std::size_t> piledTail = {}) {
        decoded.clear();
        world.radio.clearWrites();
        holding = piledTail.has_value();
        if (piledTail) cuts.push_back(*piledTail);
        std::size_t at = 0;
        for (std::size_t length : cuts) {
            if (holding && at + length == stream.size()) {
                world.settle();
                holding = false;
                for (int i = 0; i < 4; ++i) drain->start();
            }
            world.radio.notify(Bytes(stream.begin() + at, stream.begin() + at + length));
            at += length;
        }
        world.settle();
        return {decoded, world.radio.writtenValues()};
    }
};

TEST_F(ChunkingInvariance, TenThousandCuttingsDecideAsOneFramePerNotification) {
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
    const Decisions reference = feed(stream, onePerPiece);
    ASSERT_TRUE(reference == expected);
    ASSERT_TRUE(onMainThread);
    for (const Piece& piece : pieces) {
        if (piece.kind != Piece::Noise) continue;
        EXPECT_TRUE(world.logs.contains("Dropped bytes that are no status frame: " +
                                        chairlink::upperHexPairs(piece.bytes)));
    }
    EXPECT_TRUE(feed(stream, std::vector<std::size_t>(stream.size(), 1)) == reference)
        << "one byte per notification";
    EXPECT_TRUE(feed(stream, std::vector<std::size_t>(stream.size() / 13 - 1, 13),
                     13 + stream.size() % 13) == reference)
        << "piled up first, then drained by several runs racing for it";
    ASSERT_EQ(controller->readBytesAvailable(), 0u);
    for (int cutting = 0; cutting < 10000; ++cutting) {
        std::vector<std::size_t> cuts;
        const std::size_t longest = 1 + random() % 40;
        for (std::size_t left = stream.size(); left > 0; left -= cuts.back()) {
            cuts.push_back(std::min(left, 1 + random() % longest));
        }
        ASSERT_TRUE(feed(stream, cuts) == reference)
            << "cutting " << cutting << " into " << cuts.size();
        ASSERT_EQ(controller->readBytesAvailable(), 0u);
    }
}

const Bytes kRunning = hex("AA55 F1 04 1E 05 03 1B 0D0A");
const Bytes kEcho = hex("AA55 01 B1 B2 0D0A");

class Drain : public DrainFixture {
protected:
    void receive(const Bytes& value) {
        world.radio.notify(value);
        world.settle();
    }
};

TEST_F(Drain, TheStopFrameEndsTheRunSilentlyAndWhatFollowsWaitsForTheNextRun) {
    receive(hex("AA55 01 B1 B2 0D0A  AA55 C0 0C CC 0D0A  AA55 F1 04 1E 05 03 1B 0D0A"));
    EXPECT_EQ(world.radio.writtenValues(), std::vector<Bytes>{kAck});
    EXPECT_EQ(decoded, std::vector<Bytes>{kEcho});
    EXPECT_EQ(controller->readBytesAvailable(), kRunning.size());
    receive(kEcho);
    EXPECT_EQ(decoded, (std::vector<Bytes>{kEcho, kRunning, kEcho}));
}

}  // namespace
