#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ManualClock.h"

namespace {

TEST(ManualClock, FiresDueCallsInTimeOrderThenSchedulingOrder) {
    base::ManualClock clock;
    std::vector<std::string> fired;
    clock.callAfter(2.0, [&] { fired.push_back("b@2"); });
    clock.callAfter(1.0, [&] { fired.push_back("a@1"); });
    clock.callAfter(2.0, [&] { fired.push_back("c@2"); });
    clock.callAfter(3.5, [&] { fired.push_back("d@3.5"); });

    clock.advance(0.999);
    EXPECT_TRUE(fired.empty());
    clock.advance(1.001);
    EXPECT_EQ(fired, (std::vector<std::string>{"a@1", "b@2", "c@2"}));
    EXPECT_DOUBLE_EQ(clock.now(), 2.0);
    EXPECT_EQ(clock.pendingCount(), 1u);
}

TEST(ManualClock, NowDuringACallbackIsItsDueTime) {
    base::ManualClock clock;
    double seen = -1;
    clock.callAfter(0.75, [&] { seen = clock.now(); });
    clock.advance(5);
    EXPECT_DOUBLE_EQ(seen, 0.75);
    EXPECT_DOUBLE_EQ(clock.now(), 5.0);
}

TEST(ManualClock, CallsScheduledByCallbacksFireWithinTheSameAdvance) {
    base::ManualClock clock;
    std::vector<double> ticks;
    std::function<void()> tick = [&] {
        ticks.push_back(clock.now());
        if (ticks.size() < 10) clock.callAfter(0.5, tick);
    };
    clock.callAfter(0.5, tick);
    clock.advance(2.0);
    EXPECT_EQ(ticks, (std::vector<double>{0.5, 1.0, 1.5, 2.0}));
}

TEST(ManualClock, TenthsAddUpWithoutMissingADueCall) {
    base::ManualClock clock;
    int fired = 0;
    clock.callAfter(0.3, [&] { ++fired; });
    clock.advance(0.1);
    clock.advance(0.2);  // 0.1 + 0.2 is a hair above 0.3 in binary
    EXPECT_EQ(fired, 1);
}

TEST(ManualClock, CancelDropsOnlyThatCall) {
    base::ManualClock clock;
    int a = 0, b = 0;
    auto idA = clock.callAfter(1, [&] { ++a; });
    clock.callAfter(1, [&] { ++b; });
    clock.cancel(idA);
    clock.cancel(9999);  // unknown ids are ignored
    clock.advance(1);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    clock.cancel(idA);  // cancelling after the fact is harmless
}

TEST(ManualClock, ZeroOrNegativeDelayRunsAtTheNextStep) {
    base::ManualClock clock;
    int fired = 0;
    clock.callAfter(-3, [&] { ++fired; });
    EXPECT_EQ(fired, 0);
    clock.runDue();
    EXPECT_EQ(fired, 1);
    EXPECT_DOUBLE_EQ(clock.now(), 0.0);
}

TEST(ManualClock, SettlesBeforeEveryStep) {
    base::ManualClock clock;
    std::vector<std::string> order;
    clock.setSettle([&] { order.push_back("settle"); });
    clock.callAfter(1, [&] { order.push_back("one"); });
    clock.callAfter(2, [&] { order.push_back("two"); });
    clock.advance(3);
    EXPECT_EQ(order, (std::vector<std::string>{"settle", "one", "settle", "two", "settle"}));
}

}  // namespace
