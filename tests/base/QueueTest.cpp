#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "base/BackgroundQueue.h"
#include "base/SerialQueue.h"

namespace {

TEST(SerialQueue, RunsTasksOneAtATimeInOrderOnOneThread) {
    base::SerialQueue queue("com.example.test");
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    std::atomic<int> inside{0};
    bool overlapped = false;
    for (int i = 0; i < 200; ++i) {
        queue.async([&, i] {
            if (inside.fetch_add(1) != 0) overlapped = true;
            order.push_back(i);
            threads.push_back(std::this_thread::get_id());
            inside.fetch_sub(1);
        });
    }
    queue.waitUntilIdle();
    ASSERT_EQ(order.size(), 200u);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(order[i], i);
    EXPECT_FALSE(overlapped);
    for (auto id : threads) EXPECT_EQ(id, threads.front());
    EXPECT_NE(threads.front(), std::this_thread::get_id());
    EXPECT_EQ(queue.label(), "com.example.test");
    EXPECT_EQ(queue.executedCount(), 200u);
}

TEST(SerialQueue, KeepsEachProducersOrderWhenSeveralThreadsAdd) {
    base::SerialQueue queue("q");
    std::mutex m;
    std::vector<std::pair<int, int>> seen;
    std::vector<std::thread> producers;
    for (int p = 0; p < 3; ++p) {
        producers.emplace_back([&, p] {
            for (int i = 0; i < 100; ++i) queue.async([&, p, i] { seen.emplace_back(p, i); });
        });
    }
    for (auto& t : producers) t.join();
    queue.waitUntilIdle();
    int last[3] = {-1, -1, -1};
    for (auto [p, i] : seen) {
        EXPECT_EQ(i, last[p] + 1);
        last[p] = i;
    }
    EXPECT_EQ(seen.size(), 300u);
}

TEST(SerialQueue, SyncWaitsAndRunsInlineOnItself) {
    base::SerialQueue queue("q");
    int value = 0;
    queue.sync([&] {
        EXPECT_TRUE(queue.isCurrent());
        queue.sync([&] { value = 7; });  // would deadlock if not inline
    });
    EXPECT_EQ(value, 7);
    EXPECT_FALSE(queue.isCurrent());
}

TEST(SerialQueue, MayBeReleasedFromItsOwnTaskAndFinishesWhatWasQueued) {
    auto queue = std::make_shared<base::SerialQueue>("self-release");
    std::promise<void> bothQueued;
    std::promise<void> laterRan;
    auto* raw = queue.get();
    // The releasing task waits until the next task is queued, so the test never touches
    // the queue after it may be gone.
    raw->async([q = std::move(queue), gate = bothQueued.get_future().share()]() mutable {
        gate.wait();
        q.reset();
    });
    raw->async([&] { laterRan.set_value(); });
    bothQueued.set_value();
    EXPECT_EQ(laterRan.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

TEST(BackgroundQueue, RunsEveryTaskAndReportsIdle) {
    base::BackgroundQueue queue(3);
    std::atomic<int> done{0};
    for (int i = 0; i < 500; ++i) queue.async([&] { done.fetch_add(1); });
    queue.waitUntilIdle();
    EXPECT_EQ(done.load(), 500);
    EXPECT_TRUE(queue.isIdle());
    EXPECT_EQ(queue.executedCount(), 500u);
}

}  // namespace
