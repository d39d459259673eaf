#include "main/toolkit/UserDefaults.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "base/Log.h"

namespace {

struct UserDefaultsTest : ::testing::Test {
    QTemporaryDir dir;
    QString file = dir.path() + "/defaults.ini";
};

TEST_F(UserDefaultsTest, MissingKeyReadsZero) {
    tk::UserDefaults defaults(file);
    EXPECT_EQ(defaults.integerForKey("languageFlag"), 0);
}

TEST_F(UserDefaultsTest, ValuesSurviveARestart) {
    {
        tk::UserDefaults defaults(file);
        defaults.setInteger(1, "languageFlag");
        defaults.setInteger(-5000000000LL, "big");
        EXPECT_EQ(defaults.integerForKey("languageFlag"), 1);
    }
    tk::UserDefaults again(file);
    EXPECT_EQ(again.integerForKey("languageFlag"), 1);
    EXPECT_EQ(again.integerForKey("big"), -5000000000LL);
    EXPECT_EQ(again.fileName(), file);
}

TEST_F(UserDefaultsTest, WrittenThroughAtOnce) {
    tk::UserDefaults writer(file);
    writer.setInteger(1, "languageFlag");
    // A second reader sees it while the writer is still alive (the app may be killed).
    tk::UserDefaults reader(file);
    EXPECT_EQ(reader.integerForKey("languageFlag"), 1);
}

TEST_F(UserDefaultsTest, DamagedValueReadsZeroWithOneLogLine) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("[General]\nlanguageFlag=english\n");
    out.close();
    tk::UserDefaults defaults(file);
    base::LogCapture capture;
    EXPECT_EQ(defaults.integerForKey("languageFlag"), 0);
    EXPECT_EQ(capture.lines().size(), 1u);
}

}  // namespace
