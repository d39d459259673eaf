#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "ControllerFixture.h"

namespace {

using chairlink::Bytes;
using chairlink::ChairState;

class SendStress : public linktest::ControllerFixture {};

// Three threads send while the main thread keeps replacing the client and uses the two-step
// form. Every write must be one whole frame that some sender meant, and nothing may touch a
// released client (ThreadSanitizer and AddressSanitizer watch this test).
TEST_F(SendStress, FramesStayWholeWhileThreeThreadsSendAndTheClientIsReplaced) {
    start();
    std::set<Bytes> meant = {frame(chairlink::kLinkUpCode), frame(chairlink::kAcknowledgeCode),
                             frame(chairlink::kLinkCheckCode)};
    for (std::uint8_t speed = 1; speed <= 5; ++speed) {
        ChairState s;
        s.handSpeed = speed;
        meant.insert(frame(chairlink::kHandSpeedCode, s));
    }
    ChairState width;
    width.handWidth = 2;
    meant.insert(frame(chairlink::kHandWidthCode, width));
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
        ++roundsDone;
        roundsDone.notify_all();
    }
    stop = true;
    ++roundsDone;
    roundsDone.notify_all();
    for (auto& t : threads) t.join();
    world.settle();

    ASSERT_TRUE(controller->isConnected());
    auto writes = world.radio.writtenValues();
    std::size_t linkUps = 0;
    std::size_t widths = 0;
    for (auto& w : writes) {
        ASSERT_TRUE(meant.count(w)) << chairlink::upperHexPairs(w);
        linkUps += w == frame(chairlink::kLinkUpCode);
        widths += w == frame(chairlink::kHandWidthCode, width);
    }
    EXPECT_EQ(linkUps, static_cast<std::size_t>(replacements + 1));
    // The main thread's frames were sent while the link was up, so none is lost or replaced.
    EXPECT_EQ(widths, static_cast<std::size_t>(replacements * 20));
    EXPECT_GT(sent.load(), 0);
    EXPECT_EQ(world.radio.centralsMade(), replacements + 1);
}

}  // namespace
