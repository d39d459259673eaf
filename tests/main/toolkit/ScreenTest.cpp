#include "main/toolkit/Screen.h"

#include <gtest/gtest.h>

#include "base/Log.h"
#include "main/toolkit/LaunchOptions.h"

namespace {

using tk::Idiom;
using tk::LaunchOptions;
using tk::Screen;

void expectScreen(const Screen& screen, int L, int S, Idiom idiom) {
    EXPECT_EQ(screen.L, L);
    EXPECT_EQ(screen.S, S);
    EXPECT_EQ(screen.idiom, idiom);
}

TEST(Screen, DisplayDecidesByDefault) {
    expectScreen(Screen::forDisplay({1920, 1080}), 1024, 748, Idiom::Tablet);
    expectScreen(Screen::forDisplay({768, 1024}), 1024, 748, Idiom::Tablet);
    expectScreen(Screen::forDisplay({1024, 767}), 568, 300, Idiom::Phone);
    expectScreen(Screen::forDisplay({800, 600}), 568, 300, Idiom::Phone);
    // Smaller than a phone: the display itself, less the status bar.
    expectScreen(Screen::forDisplay({480, 320}), 480, 300, Idiom::Phone);
}

TEST(Screen, WindowIsLBySPlusTheStatusBar) {
    EXPECT_EQ(Screen::phone().windowSize(), QSize(568, 320));
    EXPECT_EQ(Screen::tablet().windowSize(), QSize(1024, 768));
    EXPECT_TRUE(Screen::tablet().isTablet());
}

TEST(Screen, OptionsWinOverTheDisplay) {
    const QSize bigDisplay(2560, 1440);
    expectScreen(Screen::resolve(Idiom::Phone, std::nullopt, bigDisplay), 568, 300, Idiom::Phone);
    expectScreen(Screen::resolve(Idiom::Tablet, std::nullopt, {800, 600}), 1024, 748,
                 Idiom::Tablet);
    expectScreen(Screen::resolve(std::nullopt, QSize(500, 300), bigDisplay), 500, 300,
                 Idiom::Phone);
    expectScreen(Screen::resolve(std::nullopt, QSize(1024, 748), {800, 600}), 1024, 748,
                 Idiom::Tablet);
    expectScreen(Screen::resolve(Idiom::Phone, QSize(1024, 748), bigDisplay), 1024, 748,
                 Idiom::Phone);
    expectScreen(Screen::resolve(std::nullopt, std::nullopt, bigDisplay), 1024, 748, Idiom::Tablet);
}

TEST(LaunchOptions, ReadsIdiomScreenAndSettings) {
    auto options = LaunchOptions::parse(
        {"app", "--idiom", "tablet", "--screen=501x300", "--other", "--settings", "/tmp/x.ini"});
    EXPECT_EQ(options.idiom, Idiom::Tablet);
    EXPECT_EQ(options.measures, QSize(501, 300));
    EXPECT_EQ(options.settingsFile, QString("/tmp/x.ini"));
}

TEST(LaunchOptions, NothingGivenLeavesEverythingOpen) {
    auto options = LaunchOptions::parse({"app", "--script", "tour.txt"});
    EXPECT_FALSE(options.idiom);
    EXPECT_FALSE(options.measures);
    EXPECT_FALSE(options.settingsFile);
}

TEST(LaunchOptions, BadValuesAreLoggedAndIgnored) {
    base::LogCapture capture;
    auto options = LaunchOptions::parse({"app", "--idiom", "watch", "--screen", "568by300",
                                         "--screen", "99999x300", "--screen=0x0", "--settings"});
    EXPECT_FALSE(options.idiom);
    EXPECT_FALSE(options.measures);
    EXPECT_FALSE(options.settingsFile);
    EXPECT_EQ(capture.lines().size(), 5u);
}

TEST(LaunchOptions, LastGoodValueWins) {
    auto options =
        LaunchOptions::parse({"app", "--idiom=phone", "--idiom=tablet", "--screen", "480x300"});
    EXPECT_EQ(options.idiom, Idiom::Tablet);
    EXPECT_EQ(options.measures, QSize(480, 300));
}

}  // namespace
