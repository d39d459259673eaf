#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "base/NotificationCenter.h"

namespace {

TEST(NotificationCenter, ObserversForAnySenderAndForOneSender) {
    base::NotificationCenter center;
    int me = 0, other = 0;
    int any = 0, mine = 0;
    center.addObserver("RECONNECT", nullptr, [&](const auto&) { ++any; });
    center.addObserver("RECONNECT", &me, [&](const auto&) { ++mine; });
    center.post("RECONNECT", &me);
    center.post("RECONNECT", &other);
    center.post("RECONNECT");
    center.post("SOMETHING_ELSE", &me);
    EXPECT_EQ(any, 3);
    EXPECT_EQ(mine, 1);
}

TEST(NotificationCenter, DeliversSynchronouslyOnThePostingThreadWithItsPayload) {
    base::NotificationCenter center;
    std::thread::id seenOn;
    int payload = 0;
    center.addObserver("infoViewMessage", nullptr, [&](const base::Notification& n) {
        seenOn = std::this_thread::get_id();
        payload = std::any_cast<int>(n.userInfo);
    });
    std::thread poster([&] { center.post("infoViewMessage", nullptr, 42); });
    auto posterId = poster.get_id();
    poster.join();
    EXPECT_EQ(seenOn, posterId);
    EXPECT_EQ(payload, 42);
}

TEST(NotificationCenter, RemovedObserversAreNotCalledEvenWithinTheSamePost) {
    base::NotificationCenter center;
    int first = 0, second = 0;
    base::NotificationCenter::Token secondToken = 0;
    center.addObserver("n", nullptr, [&](const auto&) {
        ++first;
        center.removeObserver(secondToken);
    });
    secondToken = center.addObserver("n", nullptr, [&](const auto&) { ++second; });
    center.post("n");
    center.post("n");
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(center.observerCount("n"), 1u);
}

TEST(NotificationCenter, ObserverMayRegisterDuringDeliveryWithoutBeingCalledForIt) {
    base::NotificationCenter center;
    int late = 0;
    center.addObserver("n", nullptr, [&](const auto&) {
        center.addObserver("n", nullptr, [&](const auto&) { ++late; });
    });
    center.post("n");
    EXPECT_EQ(late, 0);
    center.post("n");
    EXPECT_EQ(late, 1);
}

TEST(NotificationCenter, RegistrationEndsWithItsOwner) {
    base::NotificationCenter center;
    int calls = 0;
    {
        base::ObserverRegistration reg(center,
                                       center.addObserver("n", nullptr, [&](const auto&) { ++calls; }));
        center.post("n");
        base::ObserverRegistration moved = std::move(reg);
        EXPECT_FALSE(reg.active());
        center.post("n");
    }
    center.post("n");
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(center.observerCount("n"), 0u);
}

TEST(NotificationCenter, PostingAndRegisteringFromManyThreadsLosesNothing) {
    base::NotificationCenter center;
    std::atomic<int> received{0};
    center.addObserver("tick", nullptr, [&](const auto&) { received.fetch_add(1); });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i) {
                center.post("tick");
                auto token = center.addObserver("other", nullptr, [](const auto&) {});
                center.removeObserver(token);
            }
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(received.load(), 2000);
    EXPECT_EQ(center.observerCount("other"), 0u);
}

}  // namespace
