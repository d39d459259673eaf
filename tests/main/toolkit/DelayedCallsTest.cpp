#include "main/toolkit/DelayedCalls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ManualClock.h"

namespace {

struct DelayedCallsTest : ::testing::Test {
    base::ManualClock clock;
    tk::DelayedCalls calls{clock};
    std::vector<std::string> ran;
    int targetA = 0;
    int targetB = 0;

    void perform(const void* target, const std::string& operation, double delay,
                 const std::string& label) {
        calls.performAfterDelay(target, operation, delay, [this, label] { ran.push_back(label); });
    }
};

TEST_F(DelayedCallsTest, RunsOnceWhenDue) {
    perform(&targetA, "MenuBtnAction", 10, "menu");
    clock.advance(9.99);
    EXPECT_TRUE(ran.empty());
    clock.advance(0.01);
    EXPECT_EQ(ran, std::vector<std::string>{"menu"});
    clock.advance(100);
    EXPECT_EQ(ran.size(), 1u);
    EXPECT_EQ(calls.pendingCount(&targetA, "MenuBtnAction"), 0u);
}

TEST_F(DelayedCallsTest, CancelDropsEveryPendingCallOfThatOperationOnThatTarget) {
    perform(&targetA, "MenuBtnAction", 10, "a-menu-1");
    perform(&targetA, "MenuBtnAction", 5, "a-menu-2");
    perform(&targetA, "updateResult", 5, "a-update");
    perform(&targetB, "MenuBtnAction", 5, "b-menu");
    EXPECT_EQ(calls.pendingCount(&targetA, "MenuBtnAction"), 2u);

    calls.cancelPrevious(&targetA, "MenuBtnAction");

    clock.advance(20);
    EXPECT_EQ(ran, (std::vector<std::string>{"a-update", "b-menu"}));
}

TEST_F(DelayedCallsTest, RestartingTheDelayKeepsAtMostOnePending) {
    for (int i = 0; i < 3; ++i) {
        calls.cancelPrevious(&targetA, "MenuBtnAction");
        perform(&targetA, "MenuBtnAction", 10, "menu");
        clock.advance(4);
    }
    EXPECT_TRUE(ran.empty());
    clock.advance(6);
    EXPECT_EQ(ran.size(), 1u);
}

TEST_F(DelayedCallsTest, CancelWithNothingPendingAndCancelAllForATarget) {
    calls.cancelPrevious(&targetA, "nothing");
    perform(&targetA, "one", 1, "one");
    perform(&targetA, "two", 1, "two");
    perform(&targetB, "one", 1, "b");
    calls.cancelAll(&targetA);
    clock.advance(1);
    EXPECT_EQ(ran, std::vector<std::string>{"b"});
}

TEST_F(DelayedCallsTest, CallMayRescheduleItself) {
    std::function<void()> again = [&] {
        ran.push_back("tick");
        if (ran.size() < 3) calls.performAfterDelay(&targetA, "tick", 1, again);
    };
    calls.performAfterDelay(&targetA, "tick", 1, again);
    clock.advance(10);
    EXPECT_EQ(ran.size(), 3u);
}

TEST(DelayedCallsLifetime, DestroyedRegistryLeavesNothingOnTheClock) {
    base::ManualClock clock;
    int target = 0;
    {
        tk::DelayedCalls calls(clock);
        calls.performAfterDelay(&target, "op", 1, [] { FAIL() << "ran after destruction"; });
    }
    clock.advance(2);
    EXPECT_EQ(clock.pendingCount(), 0u);
}

}  // namespace
