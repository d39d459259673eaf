#include <atomic>
#include <set>
#include <thread>

#include "LinkWorld.h"

namespace {

using chairlink::Bytes;
using chairlink::ChairState;
using chairlink::CommandFrame;
using chairlink::EADSessionController;
using linktest::frame;
using linktest::hex;
using linktest::LinkWorld;
using linktest::RecordingDelegate;
using Copy = std::array<std::uint8_t, 2>;

class SessionController : public linktest::ControllerFixture {};

TEST_F(SessionController, AFrameBuiltWhileScanningIsNotSentButStaysForALaterSend) {
    world.radio.holdConnections = true;
    start();
    controller->setHandSpeed(3);
    controller->setOtherBackHeartStatus(false);
    controller->sendOutBuf(17);
    controller->sendCommand();
    EXPECT_EQ(controller->bleSocketClient()->state(), chairlink::kSocketOpening);
    EXPECT_EQ(controller->copyoutBuf(), (Copy{0x11, 0x03}));
    world.radio.releaseConnection();
    world.settle();
    EXPECT_TRUE(controller->isConnected());
    EXPECT_FALSE(controller->isConnecting());
    // The link-up frame went out on its own; the buffer still holds the panel's frame.
    controller->sendCommand();
    EXPECT_EQ(world.radio.writtenValues(),
              (std::vector{hex("AA55 01 31 32 0D0A"), hex("AA55 11 03 14 0D0A")}));
    controller->resetOutBuffer();
    EXPECT_EQ(controller->outBuf(), CommandFrame{});
    // Acknowledge and reject leave the copy of the last command alone.
    controller->sendCode(97);
    controller->sendCode(0);
    controller->sendOutBuf(1);
    EXPECT_EQ(controller->copyoutBuf(), (Copy{0x01, 0x61}));
    controller->initApplicationData();
    EXPECT_EQ(controller->handSpeed(), 0);
    EXPECT_TRUE(controller->otherBackHeartStatus());
}

TEST_F(SessionController, ReceivedChunksAreBufferedAnnouncedOnTheMainThreadAndHandedOn) {
    auto listener = std::make_shared<RecordingDelegate>();
    auto removed = std::make_shared<RecordingDelegate>();
    start(std::nullopt);
    controller->addDelegate(listener);
    controller->addDelegate(listener);  // listeners are a set
    controller->addDelegate(removed);
    controller->removeDelegate(removed);
    controller->removeDelegate(removed);
    std::vector<std::size_t> seen;
    base::ObserverRegistration observation(
        world.center, world.center.addObserver(chairlink::kDataReceivedNotification,
                                               controller.get(), [&](const base::Notification&) {
                                                   EXPECT_TRUE(world.main.isCurrent());
                                                   seen.push_back(controller->readBytesAvailable());
                                               }));
    controller->socketReceived(hex("AA55 F1 04 1E"));
    controller->socketReceived(hex("05 03 1B 0D0A"));
    world.settle();
    // Both announcements find both chunks: the drain may take them together.
    EXPECT_EQ(seen, (std::vector<std::size_t>{10, 10}));
    EXPECT_TRUE(world.logs.contains("received: aa 55 f1 04 1e "));
    EXPECT_TRUE(world.logs.contains("received: 05 03 1b 0d 0a "));
    EXPECT_EQ(listener->received(), (std::vector{hex("AA55 F1 04 1E"), hex("05 03 1B 0D0A")}));
    // A read takes exactly the count or nothing: the read buffer's own test.
    EXPECT_EQ(controller->peekData(2), hex("AA55"));
    EXPECT_EQ(controller->readData(7), hex("AA55 F1 04 1E 05 03"));
    EXPECT_EQ(controller->readBytesAvailable(), 3u);
    // Listeners are handed on to the next client, which then reports its link to them.
    world.radio.addPeripheral(LinkWorld::chair());
    controller->reConnnectSocket();
    world.settle();
    EXPECT_EQ(listener->connected, 1);
    EXPECT_EQ(removed->connected, 0);
}

// An announcement already queued for the main thread when the controller goes finds it
// gone and does nothing (it used to call into freed memory).
TEST_F(SessionController, AnAnnouncementQueuedBeforeTheControllerGoesIsDropped) {
    start();
    int announced = 0;
    base::ObserverRegistration observation(
        world.center, world.center.addObserver(chairlink::kDataReceivedNotification, nullptr,
                                               [&](const base::Notification&) { ++announced; }));
    controller->socketReceived(Bytes{0xAA, 0x55});
    controller.reset();
    EXPECT_GT(world.main.runPending(), 0u);
    EXPECT_EQ(announced, 0);
}

// The shared instance is process-wide; gtest_discover_tests runs each test in its own process.
TEST(SharedController, IsBuiltOnceFromTheConfigurationGivenOnce) {
    EXPECT_THROW(EADSessionController::sharedController(), std::logic_error);
    // The app's environment lives as long as the process, and so does this one.
    static auto* world = new LinkWorld();
    EXPECT_TRUE(EADSessionController::configureShared(world->env()));
    EXPECT_FALSE(EADSessionController::configureShared(world->env()));
    auto& first = EADSessionController::sharedController();
    EXPECT_EQ(&first, &EADSessionController::sharedController());
    EXPECT_TRUE(first.isConnecting());
    world->settle();
}

class Reconnect : public linktest::ControllerFixture {
protected:
    std::size_t attempts() const { return world.radio.connectAttempts().size(); }
};

TEST_F(Reconnect, ALostLinkIsAnnouncedAndRebuiltAtOnceKeepingWhatWasBuffered) {
    start();
    std::vector<bool> connectedWhenAnnounced;
    base::ObserverRegistration observation(
        world.center,
        world.center.addObserver(chairlink::kReconnectNotification, nullptr,
                                 [&](const base::Notification&) {
                                     connectedWhenAnnounced.push_back(controller->isConnected());
                                 }));
    world.radio.notify(hex("AA55 01"));
    world.settle();
    // The new client's connection waits, so the flags seen at the announcement cannot race
    // with a link that comes up at once on the new client's queue.
    world.radio.holdConnections = true;
    world.radio.dropLink();
    world.settle();  // no time passes
    EXPECT_EQ(connectedWhenAnnounced, std::vector<bool>{false});
    EXPECT_FALSE(controller->isConnected());
    EXPECT_TRUE(controller->isConnecting());
    EXPECT_EQ(controller->peekData(3), hex("AA55 01"));
}

TEST_F(Reconnect, FailedAttemptsWaitDoublingUpTo30SecondsAndAGoodLinkStartsTheWaitOver) {
    auto chair = LinkWorld::chair();
    chair.refuseConnection = true;
    start(chair);
    ASSERT_EQ(attempts(), 1u);
    EXPECT_TRUE(controller->retryPending());
    EXPECT_TRUE(controller->isConnecting());
    EXPECT_TRUE(world.logs.contains("Connection attempt failed; trying again in 1 s"));
    std::size_t made = 1;
    for (double wait : {1.0, 2.0, 4.0, 8.0, 16.0, 30.0, 30.0}) {
        world.clock.advance(wait - 0.01);
        EXPECT_EQ(attempts(), made) << "too early for " << wait;
        world.clock.advance(0.01);
        EXPECT_EQ(attempts(), ++made) << "late for " << wait;
    }
    EXPECT_FALSE(controller->isConnected());

    chair.refuseConnection = false;
    world.radio.clearPeripherals();
    world.radio.addPeripheral(chair);
    world.clock.advance(30);
    ASSERT_TRUE(controller->isConnected());
    // After a good link, the first failure waits 1 s again.
    chair.refuseConnection = true;
    world.radio.clearPeripherals();
    world.radio.addPeripheral(chair);
    world.radio.dropLink();
    world.settle();
    made = attempts();
    world.clock.advance(0.99);
    EXPECT_EQ(attempts(), made);
    world.clock.advance(0.01);
    EXPECT_EQ(attempts(), made + 1);
}

// Three threads send while the main thread keeps replacing the client and uses the two-step
// form. Every write must be one whole frame that some sender meant, and nothing may touch a
// released client (ThreadSanitizer and AddressSanitizer watch this test).
TEST_F(SessionController, FramesStayWholeWhileThreeThreadsSendAndTheClientIsReplaced) {
    start();
    const Bytes width = frame(chairlink::kHandWidthCode, ChairState{.handWidth = 2});
    std::set<Bytes> meant = {frame(chairlink::kLinkUpCode), frame(chairlink::kAcknowledgeCode),
                             frame(chairlink::kLinkCheckCode), width};
    for (std::uint8_t speed = 1; speed <= 5; ++speed) {
        meant.insert(frame(chairlink::kHandSpeedCode, ChairState{.handSpeed = speed}));
    }
    controller->setHandWidth(2);

    // Each sender gets a burst per round of the main thread, so the senders overlap every
    // replacement but cannot keep the queues busy forever and starve settle() (as they did
    // under ThreadSanitizer on two cores).
    const int burstPerRound = 40;
    std::atomic<int> roundsDone{0};
    std::atomic<bool> stop{false};
    std::atomic<int> sent{0};
    auto sender = [&](auto send) {
        return std::thread([&, send] {
            for (int i = 0; !stop;) {
                const int seen = roundsDone.load();
                if (i >= (seen + 1) * burstPerRound) {
                    roundsDone.wait(seen);
                    continue;
                }
                send(i++);
                ++sent;
            }
        });
    };
    std::vector<std::thread> threads;
    threads.push_back(sender([&](int i) {
        controller->setHandSpeed(static_cast<std::uint8_t>(i % 5 + 1));
        controller->sendCode(chairlink::kHandSpeedCode);
    }));
    threads.push_back(sender([&](int) { controller->sendCode(chairlink::kAcknowledgeCode); }));
    threads.push_back(sender([&](int) { controller->sendCode(chairlink::kLinkCheckCode); }));

    const int replacements = 25;
    auto endRound = [&] {
        ++roundsDone;
        roundsDone.notify_all();
    };
    for (int round = 0; round < replacements; ++round) {
        if (round % 2) {
            controller->reConnnectSocket();
        } else {
            world.radio.dropLink();
        }
        world.settle();
        for (int i = 0; i < 20; ++i) {
            controller->sendOutBuf(chairlink::kHandWidthCode);
            controller->sendCommand();
        }
        endRound();
    }
    stop = true;
    endRound();
    for (auto& t : threads) t.join();
    world.settle();

    ASSERT_TRUE(controller->isConnected());
    int widths = 0, linkUps = 0;
    for (auto& w : world.radio.writtenValues()) {
        ASSERT_TRUE(meant.count(w)) << chairlink::upperHexPairs(w);
        widths += w == width;
        linkUps += w == frame(chairlink::kLinkUpCode);
    }
    EXPECT_EQ(linkUps, replacements + 1);
    // The main thread's frames were sent while the link was up, so none is lost or replaced.
    EXPECT_EQ(widths, replacements * 20);
    EXPECT_GT(sent.load(), 0);
    EXPECT_EQ(world.radio.centralsMade(), replacements + 1);
}

}  // namespace
