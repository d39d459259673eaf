#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "ControllerFixture.h"
#include "link/FrameDrain.h"
#include "link/ReadBuffer.h"
#include "link/StatusFrames.h"

namespace {

using chairlink::Bytes;
using chairlink::FrameDrain;
using linktest::hex;

const Bytes kAck = hex("AA55 C3 3C FF 0D0A");
const Bytes kReject = hex("AA55 C0 0C CC 0D0A");
const Bytes kRunning = hex("AA55 F1 04 1E 05 03 1B 0D0A");
const Bytes kManual = hex("AA55 F3 01 02 03 04 FD 0D0A");
const Bytes kEcho = hex("AA55 01 B1 B2 0D0A");
const Bytes kStop = hex("AA55 C0 0C CC 0D0A");

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// The main screen's side: a drain started on every announcement, a decoder that records.
class Drain : public linktest::ControllerFixture {
protected:
    void SetUp() override {
        start();
        world.radio.clearWrites();
        drain = std::make_unique<FrameDrain>(*controller, world.dispatch, [this](const Bytes& f) {
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
    void receive(const Bytes& value) {
        world.radio.notify(value);
        world.settle();
    }

    std::unique_ptr<FrameDrain> drain;
    base::ObserverRegistration announcements;
    std::vector<Bytes> decoded;
    bool onMainThread = true;
    bool holding = false;
};

TEST_F(Drain, AcknowledgesAndDecodesAFrameOnTheMainThread) {
    receive(kRunning);
    EXPECT_EQ(world.radio.writtenValues(), std::vector<Bytes>{kAck});
    EXPECT_EQ(decoded, std::vector<Bytes>{kRunning});
    EXPECT_TRUE(onMainThread);
    EXPECT_EQ(controller->readBytesAvailable(), 0u);
}

TEST_F(Drain, FramesJoinedInOneNotificationAreEachAnsweredAndDecoded) {
    receive(join({kRunning, kEcho, kManual}));
    EXPECT_EQ(world.radio.writtenValues(), (std::vector<Bytes>{kAck, kAck, kAck}));
    EXPECT_EQ(decoded, (std::vector<Bytes>{kRunning, kEcho, kManual}));
}

TEST_F(Drain, AFrameSplitOverNotificationsWaitsForItsEnd) {
    receive(Bytes(kRunning.begin(), kRunning.begin() + 4));
    EXPECT_TRUE(world.radio.writes().empty());
    EXPECT_TRUE(decoded.empty());
    EXPECT_EQ(controller->readBytesAvailable(), 4u);
    receive(Bytes(kRunning.begin() + 4, kRunning.end()));
    EXPECT_EQ(world.radio.writtenValues(), std::vector<Bytes>{kAck});
    EXPECT_EQ(decoded, std::vector<Bytes>{kRunning});
}

TEST_F(Drain, ALoneHeaderByteAtTheEndIsKeptForTheNextNotification) {
    receive(join({kEcho, hex("AA")}));
    EXPECT_EQ(controller->readBytesAvailable(), 1u);
    receive(Bytes(kManual.begin() + 1, kManual.end()));
    EXPECT_EQ(decoded, (std::vector<Bytes>{kEcho, kManual}));
}

TEST_F(Drain, NoiseIsDroppedWithALogLineAndNotAnswered) {
    receive(join({hex("01 02"), kEcho, hex("0D 0A")}));
    EXPECT_EQ(world.radio.writtenValues(), std::vector<Bytes>{kAck});
    EXPECT_EQ(decoded, std::vector<Bytes>{kEcho});
    EXPECT_TRUE(world.logs.contains("Dropped bytes that are no status frame: 01 02"));
    EXPECT_TRUE(world.logs.contains("Dropped bytes that are no status frame: 0D 0A"));
    EXPECT_EQ(controller->readBytesAvailable(), 0u);
}

TEST_F(Drain, ACorruptedFrameIsRejectedAndTheNextOneStillDecoded) {
    Bytes corrupted = kRunning;
    corrupted[7] = 0x1C;
    receive(join({corrupted, hex("AA55 F0 20 10 0D0A"), kManual}));
    EXPECT_EQ(world.radio.writtenValues(), (std::vector<Bytes>{kReject, kReject, kAck}));
    EXPECT_EQ(decoded, std::vector<Bytes>{kManual});
}

TEST_F(Drain, TheStopFrameEndsTheDrainSilentlyAndWhatFollowsWaits) {
    receive(join({kEcho, kStop, kRunning}));
    EXPECT_EQ(world.radio.writtenValues(), std::vector<Bytes>{kAck});
    EXPECT_EQ(decoded, std::vector<Bytes>{kEcho});
    EXPECT_EQ(controller->readBytesAvailable(), kRunning.size());
    receive(kManual);
    EXPECT_EQ(decoded, (std::vector<Bytes>{kEcho, kRunning, kManual}));
}

TEST_F(Drain, ADrainThatFindsNoCompleteFrameSendsNothing) {
    drain->start();
    world.settle();
    receive(hex("AA55 F1"));
    EXPECT_TRUE(world.radio.writes().empty());
    EXPECT_TRUE(decoded.empty());
}

TEST_F(Drain, FramesPiledUpInRandomPiecesAreDecodedOnceEachInArrivalOrder) {
    std::mt19937 random(7);
    std::vector<Bytes> sent;
    Bytes stream;
    for (int i = 0; i < 40; ++i) {
        auto d = static_cast<std::uint8_t>(i);
        Bytes f = i % 3 ? chairlink::makeLongStatusFrame(0xF2, d, 1, 2, 3)
                        : chairlink::makeShortStatusFrame(0x01, d);
        sent.push_back(f);
        stream.insert(stream.end(), f.begin(), f.end());
    }
    // Pile everything up first, then let several announcements race for it.
    holding = true;
    for (std::size_t at = 0; at < stream.size();) {
        std::size_t n = std::min<std::size_t>(stream.size() - at, 1 + random() % 13);
        world.radio.notify(Bytes(stream.begin() + at, stream.begin() + at + n));
        at += n;
    }
    world.settle();
    holding = false;
    for (int i = 0; i < 5; ++i) drain->start();
    world.settle();
    EXPECT_EQ(decoded, sent);
    EXPECT_EQ(world.radio.writtenValues(), std::vector<Bytes>(sent.size(), kAck));
}

// Taken bytes are skipped and dropped later in bulk; whatever the pattern, the buffer must
// give back exactly the stream it was given, in order, across many of those drops.
TEST(ReadBuffer, TakesAndPeeksFollowTheStreamAcrossManyCompactions) {
    std::mt19937 random(11);
    chairlink::ReadBuffer buffer;
    std::deque<std::uint8_t> model;
    std::uint8_t next = 0;
    for (int step = 0; step < 20000; ++step) {
        if (random() % 2) {
            Bytes chunk(random() % 40);
            for (auto& byte : chunk) byte = next++;
            buffer.append(chunk);
            model.insert(model.end(), chunk.begin(), chunk.end());
        } else {
            const std::size_t n = random() % 50;
            const auto peeked = buffer.peek(n);
            const auto taken = buffer.take(n);
            ASSERT_EQ(taken.has_value(), n <= model.size()) << step;
            ASSERT_EQ(peeked, taken) << step;
            if (!taken) continue;
            ASSERT_TRUE(std::equal(taken->begin(), taken->end(), model.begin())) << step;
            model.erase(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(n));
        }
        ASSERT_EQ(buffer.size(), model.size()) << step;
    }
}

}  // namespace
