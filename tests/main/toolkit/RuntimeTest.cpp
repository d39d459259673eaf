#include "main/toolkit/Runtime.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <vector>

#include "main/toolkit/RepeatingTimer.h"
#include "support/TestRuntime.h"

namespace {

// Timers, delayed calls and animations all run on the runtime's one clock, so a single
// advance() plays them out together in time order.
TEST(Runtime, OneClockDrivesTimersDelayedCallsAndAnimations) {
    testsupport::TestRuntime test(tk::Screen::tablet());
    tk::Runtime& runtime = test.runtime;
    std::vector<std::string> order;

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
    EXPECT_EQ(order, (std::vector<std::string>{"tick", "tick", "delayed", "tick", "slid"}));
    EXPECT_EQ(menu->y(), 0);
    EXPECT_EQ(runtime.screen().windowSize(), QSize(1024, 768));
}

TEST(Runtime, DefaultsAndBundleAreTheOnesHandedIn) {
    testsupport::TestRuntime test;
    test.runtime.defaults().setInteger(1, "languageFlag");
    EXPECT_EQ(test.defaults.integerForKey("languageFlag"), 1);
    EXPECT_TRUE(test.runtime.bundle().image("logo").isNull());
    EXPECT_FALSE(test.runtime.screen().isTablet());
}

}  // namespace
