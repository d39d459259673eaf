#include "app/LaunchOptions.h"

#include <gtest/gtest.h>

#include "base/Log.h"

namespace {

using app::LaunchOptions;
using tk::Idiom;

TEST(LaunchOptions, TheLastGoodValueWinsAndBadOrMissingOnesAreLogged) {
    base::LogCapture capture;
    auto options =
        LaunchOptions::parse({"app", "--idiom", "phone", "--screen", "480x300", "--other",
                              "--screen=501x300", "--idiom=tablet", "--settings", "/tmp/x.ini"});
    EXPECT_EQ(options.idiom, Idiom::Tablet);
    EXPECT_EQ(options.measures, QSize(501, 300));
    EXPECT_EQ(options.settingsFile, QString("/tmp/x.ini"));
    EXPECT_TRUE(capture.lines().empty()) << "other options are left to others";
    // Bad or missing values are logged and leave everything open.
    options = LaunchOptions::parse({"app", "--idiom", "watch", "--screen", "568by300", "--screen",
                                    "99999x300", "--screen=0x0", "--settings"});
    EXPECT_FALSE(options.idiom);
    EXPECT_FALSE(options.measures);
    EXPECT_FALSE(options.settingsFile);
    EXPECT_EQ(capture.lines().size(), 5u);
}

}  // namespace
