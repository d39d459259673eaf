// The queues, the pumped main thread and the manual clock that every link test runs on.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/Dispatch.h"
#include "base/ManualClock.h"
#include "base/PumpedMainThread.h"
#include "base/SerialQueue.h"

namespace {

// Three producers add at once; each one's tasks run in its order, one at a time, all on
// the queue's own thread. sync() waits for them, and runs inline when called on the queue.
TEST(SerialQueue, RunsTasksOneAtATimeInEachProducersOrderOnOneThread) {
    base::SerialQueue queue("com.example.test");
    std::vector<std::pair<int, int>> seen;
    std::vector<std::thread::id> threads;
    std::vector<std::thread> producers;
    for (int p = 0; p < 3; ++p) {
        producers.emplace_back([&, p] {
            for (int i = 0; i < 100; ++i) {
                queue.async([&, p, i] {
                    seen.emplace_back(p, i);
                    threads.push_back(std::this_thread::get_id());
                });
            }
        });
    }
    for (auto& t : producers) t.join();
    queue.sync([&] {
        EXPECT_TRUE(queue.isCurrent());
        queue.sync([&] { seen.emplace_back(3, 0); });  // would deadlock if not inline
    });
    EXPECT_FALSE(queue.isCurrent());
    queue.waitUntilIdle();  // sync() may return before its task is counted
    ASSERT_EQ(seen.size(), 301u);
    int last[4] = {-1, -1, -1, -1};
    for (auto [p, i] : seen) EXPECT_EQ(i, std::exchange(last[p], i) + 1);
    // One thread for every task: none can have overlapped another.
    for (auto id : threads) EXPECT_EQ(id, threads.front());
    EXPECT_NE(threads.front(), std::this_thread::get_id());
    EXPECT_EQ(queue.executedCount(), 301u);
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

// A hop chain main -> serial -> background -> serial -> main must be followed to its end,
// with every background task; released queues are forgotten.
TEST(Dispatch, SettleFollowsWorkAcrossQueuesUntilEverythingIsIdle) {
    base::PumpedMainThread main;
    base::Dispatch dispatch(main);
    dispatch.makeSerialQueue("short-lived")->async([] {});
    std::atomic<int> done{0};
    for (int i = 0; i < 500; ++i) dispatch.background().async([&] { ++done; });
    auto queue = dispatch.makeSerialQueue("com.example.ble");
    std::vector<std::string> steps;
    std::mutex m;
    auto note = [&](const char* s) {
        std::lock_guard lock(m);
        steps.push_back(s);
    };
    queue->async([&] {
        note("serial");
        dispatch.background().async([&] {
            note("background");
            queue->async([&] {
                note("serial again");
                main.post([&] { note("main"); });
            });
        });
    });
    EXPECT_TRUE(dispatch.settle());
    EXPECT_EQ(steps, (std::vector<std::string>{"serial", "background", "serial again", "main"}));
    EXPECT_EQ(done, 500);
    EXPECT_FALSE(dispatch.settle());
}

// The main thread runs its tasks only when pumped, on the pumping thread.
TEST(Dispatch, ManualClockWaitsForOtherThreadsBeforeTimeMoves) {
    base::PumpedMainThread main;
    base::Dispatch dispatch(main);
    base::ManualClock clock;
    clock.setSettle([&] { dispatch.settle(); });
    auto queue = dispatch.makeSerialQueue("chair");
    std::vector<std::string> events;
    // The chair answers on its queue, then asks the clock for a later step.
    queue->async([&] {
        EXPECT_FALSE(main.isCurrent());
        main.post([&] {
            EXPECT_TRUE(main.isCurrent());
            events.push_back("answer");
        });
        clock.callAfter(
            1.0, [&] { queue->async([&] { main.post([&] { events.push_back("later"); }); }); });
    });
    queue->waitUntilIdle();
    EXPECT_TRUE(events.empty());
    clock.callAfter(1.0, [&] { events.push_back("next step"); });
    clock.advance(0.5);
    EXPECT_EQ(events, std::vector<std::string>{"answer"});
    clock.advance(0.5);
    // What the first call handed on had finished before the next call was due.
    EXPECT_EQ(events, (std::vector<std::string>{"answer", "later", "next step"}));
}

TEST(ManualClock, FiresDueCallsInTimeThenSchedulingOrderEachSeeingItsDueTime) {
    base::ManualClock clock;
    std::vector<std::string> fired;
    auto at = [&](double delay, std::string name) {
        return clock.callAfter(delay, [&, name] {
            fired.push_back(name + "@" + std::to_string(clock.now()).substr(0, 4));
        });
    };
    at(2.0, "b");
    clock.callAfter(0.3, [&] {
        at(0.5, "a");  // scheduled by a call: fires within the same advance
        fired.push_back("a");
    });
    at(2.0, "c");
    const auto cancelled = at(1.5, "x");
    at(3.5, "d");
    at(-3, "now");  // no earlier than the next step
    EXPECT_TRUE(fired.empty());
    clock.cancel(cancelled);
    clock.cancel(9999);  // unknown ids are ignored
    clock.runDue();
    EXPECT_EQ(fired, std::vector<std::string>{"now@0.00"});
    clock.advance(0.1);
    clock.advance(0.2);  // 0.1 + 0.2 is a hair above 0.3 in binary
    EXPECT_EQ(fired.size(), 2u);
    clock.advance(1.7);
    EXPECT_EQ(fired, (std::vector<std::string>{"now@0.00", "a", "a@0.80", "b@2.00", "c@2.00"}));
    EXPECT_DOUBLE_EQ(clock.now(), 2.0);
    EXPECT_EQ(clock.pendingCount(), 1u);
    clock.cancel(cancelled);  // cancelling after the fact is harmless
}

}  // namespace
