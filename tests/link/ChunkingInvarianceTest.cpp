// However the chair's bytes are cut into notifications, the drain reaches the same
// decisions: the same frames decoded in the same order, the same acknowledges and rejects.
#include <gtest/gtest.h>

#include <random>

#include "ControllerFixture.h"
#include "link/FrameDrain.h"
#include "link/StatusFrames.h"

namespace {

using chairlink::Bytes;

// A session's worth of what a chair sends: every frame type, with bytes of noise (never a
// header byte) and frames whose checksum was hit on the way. Ends on a whole frame, so
// nothing is left in the buffer between cuttings. One piece per frame or run of noise.
std::vector<Bytes> sessionPieces(std::mt19937& random) {
    std::vector<Bytes> pieces;
    auto add = [&](Bytes piece) { pieces.push_back(std::move(piece)); };
    const std::uint8_t longTypes[] = {0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7};
    for (int i = 0; i < 30; ++i) {
        // Values the chair sends; every sum stays one the receiver can check.
        const auto d = [&] { return static_cast<std::uint8_t>(random() % 60); };
        Bytes frame = i % 5 == 4
                          ? chairlink::makeShortStatusFrame(i % 2 ? 0x01 : 0xA5, d())
                          : chairlink::makeLongStatusFrame(longTypes[i % 7], d(), d(), d(), d());
        if (random() % 6 == 0) frame[frame.size() - 3] ^= 0x5A;  // a corrupted checksum
        add(frame);
        if (random() % 4 == 0) {
            Bytes noise;
            for (int n = 1 + random() % 3; n > 0; --n) {
                const auto byte = static_cast<std::uint8_t>(random() % 256);
                noise.push_back(byte == chairlink::kHeaderFirst ? 0x00 : byte);
            }
            add(noise);
        }
    }
    add(chairlink::makeShortStatusFrame(0x01, 0x31));
    return pieces;
}

class ChunkingInvariance : public linktest::ControllerFixture {
protected:
    void SetUp() override {
        start();
        drain = std::make_unique<chairlink::FrameDrain>(
            *controller, world.dispatch, [this](const Bytes& f) { decoded.push_back(f); });
        announcements = base::ObserverRegistration(
            world.center,
            world.center.addObserver(chairlink::kDataReceivedNotification, controller.get(),
                                     [this](const base::Notification&) { drain->start(); }));
    }
    void TearDown() override {
        world.settle();
        announcements.reset();
        drain.reset();
        ControllerFixture::TearDown();
    }
    struct Decisions {
        std::vector<Bytes> decoded;
        std::vector<Bytes> answers;
        bool operator==(const Decisions&) const = default;
    };
    Decisions feed(const Bytes& stream, const std::vector<std::size_t>& cuts) {
        decoded.clear();
        world.radio.clearWrites();
        std::size_t at = 0;
        for (std::size_t length : cuts) {
            world.radio.notify(Bytes(stream.begin() + at, stream.begin() + at + length));
            at += length;
        }
        world.settle();
        return {decoded, world.radio.writtenValues()};
    }

    std::unique_ptr<chairlink::FrameDrain> drain;
    base::ObserverRegistration announcements;
    std::vector<Bytes> decoded;
};

TEST_F(ChunkingInvariance, TenThousandCuttingsDecideAsOneFramePerNotification) {
    std::mt19937 random(20261207);
    const std::vector<Bytes> pieces = sessionPieces(random);
    Bytes stream;
    std::vector<std::size_t> onePerFrame;
    for (const Bytes& piece : pieces) {
        stream.insert(stream.end(), piece.begin(), piece.end());
        onePerFrame.push_back(piece.size());
    }
    // The reference: every frame (and every run of noise) in a notification of its own.
    const Decisions reference = feed(stream, onePerFrame);
    EXPECT_TRUE(feed(stream, std::vector<std::size_t>(stream.size(), 1)) == reference)
        << "one byte per notification";
    ASSERT_GT(reference.decoded.size(), 20u);
    ASSERT_GT(reference.answers.size(), reference.decoded.size()) << "some frames are rejected";
    ASSERT_EQ(controller->readBytesAvailable(), 0u);
    for (int cutting = 0; cutting < 10000; ++cutting) {
        std::vector<std::size_t> cuts;
        const std::size_t longest = 1 + random() % 40;
        for (std::size_t left = stream.size(); left > 0;) {
            cuts.push_back(std::min(left, 1 + random() % longest));
            left -= cuts.back();
        }
        const Decisions decisions = feed(stream, cuts);
        ASSERT_TRUE(decisions == reference) << "cutting " << cutting << " into " << cuts.size();
        ASSERT_EQ(controller->readBytesAvailable(), 0u);
    }
}

}  // namespace
