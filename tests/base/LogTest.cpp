#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "base/Log.h"

namespace {

TEST(Log, CaptureRecordsEveryLineFromEveryThread) {
    base::LogCapture capture;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 50; ++i) base::log("thread " + std::to_string(t));
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(capture.lines().size(), 200u);
    EXPECT_EQ(capture.count("thread 3"), 50u);
}

TEST(Log, InnerCaptureTakesLinesUntilItEnds) {
    base::LogCapture outer;
    {
        base::LogCapture inner;
        base::log("inner");
        EXPECT_TRUE(inner.contains("inner"));
    }
    base::log("outer");
    EXPECT_EQ(outer.lines(), std::vector<std::string>{"outer"});
}

TEST(Log, FormatHandlesShortAndLongOutput) {
    EXPECT_EQ(base::format("Discovered %s at %d", "Vornalex-1", -40), "Discovered Vornalex-1 at -40");
    std::string longText(5000, 'x');
    EXPECT_EQ(base::format("%s!", longText.c_str()).size(), 5001u);
    EXPECT_EQ(base::format("%s", ""), "");
}

}  // namespace
