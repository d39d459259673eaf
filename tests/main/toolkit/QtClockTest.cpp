#include "main/toolkit/QtClock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <thread>
#include <vector>

#include "main/toolkit/QtMainThread.h"

namespace {

// Runs the Qt loop until `done` or a generous guard runs out; nothing here waits on a
// delay longer than zero, so this returns within a few loop passes.
template <typename Done>
bool pumpUntil(Done done) {
    QElapsedTimer guard;
    guard.start();
    while (!done() && guard.elapsed() < 5000) QCoreApplication::processEvents();
    return done();
}

TEST(QtClock, CallsRunOnTheMainThreadInOrder) {
    tk::QtClock clock;
    std::vector<int> order;
    clock.callAfter(0, [&] { order.push_back(1); });
    clock.callAfter(-5, [&] { order.push_back(2); });
    EXPECT_TRUE(order.empty()) << "calls come from the loop";
    ASSERT_TRUE(pumpUntil([&] { return order.size() == 2; }));
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST(QtClock, CancelledCallNeverRuns) {
    tk::QtClock clock;
    bool cancelledRan = false;
    bool laterRan = false;
    auto id = clock.callAfter(0, [&] { cancelledRan = true; });
    clock.cancel(id);
    clock.callAfter(0, [&] { laterRan = true; });
    ASSERT_TRUE(pumpUntil([&] { return laterRan; }));
    EXPECT_FALSE(cancelledRan);
    clock.cancel(id);  // already gone: nothing happens
}

TEST(QtClock, CallAfterFromAWorkerThreadRunsOnTheMainThread) {
    tk::QtClock clock;
    std::atomic<bool> onMain{false};
    std::atomic<bool> ran{false};
    auto mainId = std::this_thread::get_id();
    std::thread worker([&] {
        clock.callAfter(0, [&] {
            onMain = std::this_thread::get_id() == mainId;
            ran = true;
        });
        auto dropped = clock.callAfter(0, [] { ADD_FAILURE() << "cancelled call ran"; });
        clock.cancel(dropped);
    });
    worker.join();
    ASSERT_TRUE(pumpUntil([&] { return ran.load() && clock.pendingCount() == 0; }));
    EXPECT_TRUE(onMain);
}

TEST(QtClock, TimeNeverGoesBack) {
    tk::QtClock clock;
    double previous = clock.now();
    for (int i = 0; i < 1000; ++i) {
        double now = clock.now();
        ASSERT_GE(now, previous);
        previous = now;
    }
}

TEST(QtMainThread, PostFromAWorkerRunsOnTheMainThread) {
    tk::QtMainThread main;
    EXPECT_TRUE(main.isCurrent());
    std::atomic<bool> ran{false};
    std::atomic<bool> wasMain{false};
    std::thread worker([&] {
        EXPECT_FALSE(main.isCurrent());
        main.post([&] {
            wasMain = main.isCurrent();
            ran = true;
        });
    });
    worker.join();
    ASSERT_TRUE(pumpUntil([&] { return ran.load(); }));
    EXPECT_TRUE(wasMain);
}

}  // namespace
