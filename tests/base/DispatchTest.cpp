#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Dispatch.h"
#include "base/ManualClock.h"
#include "base/PumpedMainThread.h"

namespace {

TEST(PumpedMainThread, RunsPostedTasksOnlyWhenPumpedIncludingTasksTheyPost) {
    base::PumpedMainThread main;
    std::vector<int> ran;
    main.post([&] {
        ran.push_back(1);
        main.post([&] { ran.push_back(2); });
    });
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(main.runPending(), 2u);
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_TRUE(main.isCurrent());
}

// A hop chain main -> serial -> background -> serial -> main must be followed to its end.
TEST(Dispatch, SettleFollowsWorkAcrossQueuesUntilEverythingIsIdle) {
    base::PumpedMainThread main;
    base::Dispatch dispatch(main);
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
    EXPECT_FALSE(dispatch.settle());
}

TEST(Dispatch, ManualClockWaitsForOtherThreadsBeforeTimeMoves) {
    base::PumpedMainThread main;
    base::Dispatch dispatch(main);
    base::ManualClock clock;
    clock.setSettle([&] { dispatch.settle(); });
    auto queue = dispatch.makeSerialQueue("chair");
    std::vector<std::string> events;
    // The chair answers on its queue, then asks the clock for a later step.
    queue->async([&] {
        main.post([&] { events.push_back("answer@" + std::to_string(clock.now())); });
        clock.callAfter(1.0, [&] {
            queue->async([&] { main.post([&] { events.push_back("later"); }); });
        });
    });
    clock.advance(0.5);
    ASSERT_EQ(events.size(), 1u);
    clock.advance(0.5);
    EXPECT_EQ(events.back(), "later");
}

TEST(Dispatch, ReleasedQueuesAreForgotten) {
    base::PumpedMainThread main;
    base::Dispatch dispatch(main);
    {
        auto q = dispatch.makeSerialQueue("short-lived");
        q->async([] {});
    }
    EXPECT_FALSE(dispatch.settle());
}

}  // namespace
