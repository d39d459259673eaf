// Notifications and the log: the two ways the link tells the rest of the app what happened.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "base/Log.h"
#include "base/NotificationCenter.h"

namespace {

TEST(NotificationCenter, DeliversByNameAndSenderOnThePostingThreadWithItsPayload) {
    base::NotificationCenter center;
    int me = 0, other = 0;
    int any = 0, mine = 0, payload = 0;
    std::thread::id seenOn;
    center.addObserver("RECONNECT", nullptr, [&](const auto&) { ++any; });
    center.addObserver("RECONNECT", &me, [&](const base::Notification& n) {
        ++mine;
        seenOn = std::this_thread::get_id();
        payload = std::any_cast<int>(n.userInfo);
    });
    std::thread poster([&] { center.post("RECONNECT", &me, 42); });
    const auto posterId = poster.get_id();
    poster.join();
    center.post("RECONNECT", &other);
    center.post("RECONNECT");
    center.post("SOMETHING_ELSE", &me);
    EXPECT_EQ(any, 3);
    EXPECT_EQ(mine, 1);
    EXPECT_EQ(seenOn, posterId);
    EXPECT_EQ(payload, 42);
}

// One removed during a post is not called by it; one added during a post is called from
// the next; a registration ends with its owner, and a moved one with its new owner.
TEST(NotificationCenter, ObserversMayComeAndGoDuringAPost) {
    base::NotificationCenter center;
    int first = 0, removed = 0, late = 0, owned = 0;
    base::NotificationCenter::Token removedToken = 0;
    center.addObserver("n", nullptr, [&](const auto&) {
        if (++first == 1) center.addObserver("n", nullptr, [&](const auto&) { ++late; });
        center.removeObserver(removedToken);
    });
    removedToken = center.addObserver("n", nullptr, [&](const auto&) { ++removed; });
    {
        base::ObserverRegistration registration(
            center, center.addObserver("n", nullptr, [&](const auto&) { ++owned; }));
        center.post("n");
        base::ObserverRegistration moved = std::move(registration);
        EXPECT_FALSE(registration.active());
        center.post("n");
    }
    center.post("n");
    EXPECT_EQ(first, 3);
    EXPECT_EQ(removed, 0);
    EXPECT_EQ(late, 2);
    EXPECT_EQ(owned, 2);
    EXPECT_EQ(center.observerCount("n"), 2u);
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
                center.removeObserver(center.addObserver("other", nullptr, [](const auto&) {}));
            }
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(received.load(), 2000);
    EXPECT_EQ(center.observerCount("other"), 0u);
}

TEST(Log, TheInnermostCaptureRecordsEveryLineFromEveryThreadUntilItEnds) {
    base::LogCapture outer;
    {
        base::LogCapture inner;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([t] {
                for (int i = 0; i < 50; ++i) base::log("thread " + std::to_string(t));
            });
        }
        for (auto& th : threads) th.join();
        EXPECT_EQ(inner.lines().size(), 200u);
        EXPECT_EQ(inner.count("thread 3"), 50u);
    }
    base::log(base::format("Discovered %s at %d", "Vornalex-1", -40));
    base::log(base::format("%s!", std::string(5000, 'x').c_str()));
    base::log(base::format("%s", ""));
    const auto lines = outer.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Discovered Vornalex-1 at -40");
    EXPECT_EQ(lines[1].size(), 5001u);
    EXPECT_EQ(lines[2], "");
}

}  // namespace
