#include "main/toolkit/RepeatingTimer.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/ManualClock.h"

namespace {

struct RepeatingTimerTest : ::testing::Test {
    base::ManualClock clock;
    std::vector<double> ticks;
    tk::RepeatingTimer timer{clock, 0.5, [this] { ticks.push_back(clock.now()); }};
};

TEST_F(RepeatingTimerTest, FreshTimerFirstTicksOneIntervalLater) {
    clock.advance(0.49);
    EXPECT_TRUE(ticks.empty());
    clock.advance(0.01);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_DOUBLE_EQ(ticks[0], 0.5);
}

TEST_F(RepeatingTimerTest, DistantFuturePausesForGood) {
    timer.pause();
    EXPECT_TRUE(timer.isPaused());
    clock.advance(1000);
    EXPECT_TRUE(ticks.empty());
    EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(RepeatingTimerTest, DistantPastFiresAtOnceThenEveryInterval) {
    timer.pause();
    clock.advance(3.2);
    timer.fireNowAndRepeat();
    EXPECT_TRUE(ticks.empty()) << "the tick comes from the loop, not from inside the call";
    clock.runDue();
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_DOUBLE_EQ(ticks[0], 3.2);
    clock.advance(1.0);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_DOUBLE_EQ(ticks[1], 3.7);
    EXPECT_DOUBLE_EQ(ticks[2], 4.2);
}

TEST_F(RepeatingTimerTest, PauseAndResumeRepeatedlyNeverDoublesTheTicks) {
    timer.fireNowAndRepeat();
    timer.fireNowAndRepeat();
    clock.runDue();
    EXPECT_EQ(ticks.size(), 1u);
    timer.pause();
    timer.fireNowAndRepeat();
    clock.advance(0.5);
    // One at once after the resume, one an interval later.
    EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(RepeatingTimerTest, TickThatPausesStopsTheRepeat) {
    tk::RepeatingTimer* self = nullptr;
    int count = 0;
    tk::RepeatingTimer pausing(clock, 0.2, [&] {
        ++count;
        self->pause();
    });
    self = &pausing;
    timer.pause();
    pausing.fireNowAndRepeat();
    clock.advance(2);
    EXPECT_EQ(count, 1);
}

TEST_F(RepeatingTimerTest, DestroyedTimerLeavesNothingOnTheClock) {
    {
        tk::RepeatingTimer shortLived(clock, 0.1, [] { FAIL() << "ticked after destruction"; });
        shortLived.fireNowAndRepeat();
    }
    timer.pause();
    clock.advance(1);
    EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(RepeatingTimerTest, FireDateInTheFutureThenRepeats) {
    timer.setFireDateFromNow(2);
    EXPECT_EQ(timer.nextFireTime(), 2.0);
    clock.advance(2.5);
    EXPECT_EQ(ticks, (std::vector<double>{2.0, 2.5}));
}

TEST(RepeatingTimerInterval, NonsenseIntervalCannotSpin) {
    base::ManualClock clock;
    int count = 0;
    tk::RepeatingTimer timer(clock, 0, [&] { ++count; });
    clock.advance(0.01);
    EXPECT_GT(timer.interval(), 0);
    EXPECT_LE(count, 10);
}

}  // namespace
