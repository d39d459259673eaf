#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "eventloop/QtClock.h"
#include "eventloop/QtMainThread.h"
#include "main/toolkit/DelayedCalls.h"
#include "main/toolkit/RepeatingTimer.h"
#include "support/TestRuntime.h"

namespace {

using Strings = std::vector<std::string>;

// Nothing here waits on a delay above zero; the guard only ends a run whose call got lost.
template <typename Done>
bool pumpUntil(Done done) {
    QElapsedTimer guard;
    guard.start();
    while (!done() && guard.elapsed() < 5000) QCoreApplication::processEvents();
    return done();
}

TEST(QtClock, CallsRunFromTheLoopInOrderOnTheMainThreadAndCancelledOnesNever) {
    eventloop::QtClock clock;
    eventloop::QtMainThread main;
    const auto mainId = std::this_thread::get_id();
    std::vector<int> order;
    std::atomic<bool> offMain{false};
    const auto call = [&](int n) {
        return [&, n] {
            if (!main.isCurrent() || std::this_thread::get_id() != mainId) offMain = true;
            order.push_back(n);
        };
    };
    clock.callAfter(0, call(1));
    const auto cancelled = clock.callAfter(0, call(0));
    clock.callAfter(-5, call(2));
    clock.cancel(cancelled);
    std::thread worker([&] {
        EXPECT_FALSE(main.isCurrent());
        clock.callAfter(0, call(3));
        clock.cancel(clock.callAfter(0, call(0)));
        main.post(call(4));
    });
    worker.join();
    EXPECT_TRUE(order.empty()) << "calls come from the loop";
    ASSERT_TRUE(pumpUntil([&] { return order.size() >= 4 && clock.pendingCount() == 0; }));
    EXPECT_LT(std::find(order.begin(), order.end(), 1), std::find(order.begin(), order.end(), 2));
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4})) << "cancelled calls never run";
    EXPECT_FALSE(offMain);
}

// A repeated press cancels and schedules again; other operations and targets keep theirs.
TEST(DelayedCalls, RunOnceWhenDueAndCancelDropsOnlyThatTargetsOperationOrTheWholeTarget) {
    base::ManualClock clock;
    tk::DelayedCalls calls{clock};
    Strings ran;
    int a = 0;
    int b = 0;
    const auto perform = [&](const void* target, const std::string& operation, double delay,
                             const std::string& label) {
        calls.performAfterDelay(target, operation, delay, [&ran, label] { ran.push_back(label); });
    };
    perform(&a, "MenuBtnAction", 10, "a-menu-1");
    perform(&a, "MenuBtnAction", 5, "a-menu-2");
    perform(&a, "updateResult", 5, "a-update");
    perform(&b, "MenuBtnAction", 5, "b-menu");
    EXPECT_EQ(calls.pendingCount(&a, "MenuBtnAction"), 2u);
    calls.cancelPrevious(&a, "MenuBtnAction");
    calls.cancelPrevious(&a, "nothing");
    perform(&a, "MenuBtnAction", 5, "a-menu-3");
    clock.advance(4.99);
    EXPECT_TRUE(ran.empty());
    clock.advance(1.01);
    perform(&a, "one", 1, "a-one");
    perform(&a, "two", 1, "a-two");
    perform(&b, "one", 1, "b-one");
    calls.cancelAll(&a);
    // A call may schedule itself again.
    std::function<void()> again = [&] {
        ran.push_back("tick");
        if (ran.size() < 6) calls.performAfterDelay(&b, "tick", 1.5, again);
    };
    calls.performAfterDelay(&b, "tick", 1.5, again);
    clock.advance(20);
    EXPECT_EQ(ran, (Strings{"a-update", "b-menu", "a-menu-3", "b-one", "tick", "tick"}));
    EXPECT_EQ(calls.pendingCount(&a, "MenuBtnAction"), 0u);
}

struct RepeatingTimerTest : ::testing::Test {
    base::ManualClock clock;
    std::vector<double> ticks;
    tk::RepeatingTimer timer{clock, 0.5, [this] { ticks.push_back(clock.now()); }};
};

TEST_F(RepeatingTimerTest, TicksAnIntervalAfterTheStartOrTheFireDateAndPauseHoldsUntilFired) {
    clock.advance(0.5);
    timer.setFireDateFromNow(2);
    clock.advance(2.5);
    EXPECT_EQ(ticks, (std::vector<double>{0.5, 2.5, 3.0}));

    // Paused it holds for good; resuming fires at once, twice asked or not.
    ticks.clear();
    timer.pause();
    clock.advance(1000);
    EXPECT_EQ(clock.pendingCount(), 0u);
    timer.fireNowAndRepeat();
    timer.fireNowAndRepeat();
    EXPECT_TRUE(ticks.empty()) << "the tick comes from the loop, not from inside the call";
    clock.runDue();
    clock.advance(1.0);
    EXPECT_EQ(ticks, (std::vector<double>{1003, 1003.5, 1004}));
}

TEST_F(RepeatingTimerTest, TickThatPausesStopsTheRepeatAndNonsenseIntervalsCannotSpin) {
    tk::RepeatingTimer* self = nullptr;
    int count = 0;
    tk::RepeatingTimer pausing(clock, 0.2, [&] {
        ++count;
        self->pause();
    });
    self = &pausing;
    pausing.fireNowAndRepeat();
    clock.advance(2);
    EXPECT_EQ(count, 1);

    int spins = 0;
    tk::RepeatingTimer zero(clock, 0, [&] { ++spins; });
    clock.advance(0.01);
    EXPECT_LE(spins, 10);
}

TEST(ClockUsers, DestroyedTimersAndRegistriesLeaveNothingOnTheClock) {
    base::ManualClock clock;
    int target = 0;
    {
        tk::RepeatingTimer timer(clock, 0.1, [] { FAIL() << "ticked after destruction"; });
        timer.fireNowAndRepeat();
        tk::DelayedCalls calls(clock);
        calls.performAfterDelay(&target, "op", 1, [] { FAIL() << "ran after destruction"; });
    }
    clock.advance(2);
    EXPECT_EQ(clock.pendingCount(), 0u);
}

// A single advance() plays timers, delayed calls and animations out together in time order.
TEST(Runtime, OneClockDrivesEverythingAndPicturesAreFittedToTheWindow) {
    QTemporaryDir pictures;
    QImage wide(2000, 10, QImage::Format_ARGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(pictures.path() + "/bg.png"));
    testsupport::TestRuntime test(tk::Screen::tablet(), pictures.path());
    tk::Runtime& runtime = test.runtime;
    EXPECT_EQ(runtime.bundle().image("bg").pixels().size(), QSize(1024, 5)) << "in shape";

    Strings order;
    tk::RepeatingTimer timer(runtime.clock(), 0.2, [&] { order.push_back("tick"); });
    timer.pause();
    timer.fireNowAndRepeat();
    runtime.delayedCalls().performAfterDelay(&timer, "later", 0.3,
                                             [&] { order.push_back("delayed"); });
    QWidget root;
    auto* menu = new QWidget(&root);
    menu->setGeometry(20, -680, 130, 670);
    runtime.animator().beginAnimations();
    runtime.animator().setAnimationDuration(0.5);
    runtime.animator().setAnimationCompletion([&](bool) { order.push_back("slid"); });
    runtime.animator().setFrame(menu, QRect(20, 0, 130, 670));
    runtime.animator().commitAnimations();
    test.clock.advance(0.5);
    EXPECT_EQ(order, (Strings{"tick", "tick", "delayed", "tick", "slid"}));
}

}  // namespace
