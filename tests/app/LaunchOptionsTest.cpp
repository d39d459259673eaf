#include "app/LaunchOptions.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/WindowChoice.h"
#include "app/script/ScriptOptions.h"
#include "base/Log.h"

namespace {

using app::LaunchOptions;
using tk::Idiom;

// The options as the command line reads them, in both spellings.
app::CommandLineOptions given(const QStringList& arguments) {
    std::ostringstream out, err;
    const auto line = app::readCommandLine(QStringList{"massage-remote"} + arguments, out, err);
    EXPECT_FALSE(line.exitCode) << err.str();
    return line.options;
}

TEST(LaunchOptions, TheLastGoodValueWinsAndBadOnesAreLoggedAndIgnored) {
    base::LogCapture capture;
    auto read = given({"--idiom", "phone", "--screen", "480x300", "--chair=simulated",
                       "--screen=501x300", "--idiom=tablet", "--settings", "/tmp/x.ini"});
    auto options = LaunchOptions::from(read);
    EXPECT_EQ(options.idiom, Idiom::Tablet);
    EXPECT_EQ(options.measures, QSize(501, 300));
    EXPECT_EQ(options.settingsFile, QString("/tmp/x.ini"));
    EXPECT_EQ(app::chairKindFrom(read), bluetooth::ChairKind::Simulated);
    EXPECT_TRUE(capture.lines().empty());
    read = given({"--idiom", "watch", "--screen", "568by300", "--screen", "99999x300",
                  "--screen=0x0", "--settings=", "--chair", "Bluetooth", "--home",
                  "/no/such/folder", "--scale", "2", "--scale", "9"});
    EXPECT_EQ(app::chairKindFrom(read), bluetooth::ChairKind::Auto);
    options = LaunchOptions::from(read);
    EXPECT_FALSE(options.idiom);
    EXPECT_FALSE(options.measures);
    EXPECT_FALSE(options.settingsFile);
    EXPECT_FALSE(options.home);
    EXPECT_EQ(options.scale, 2.0);
    ASSERT_EQ(capture.lines().size(), 8u);
    EXPECT_TRUE(capture.contains("Options: --scale must be a number from 1 to 4, not \"9\""));
    EXPECT_EQ(capture.lines()[0],
              "Unknown --chair Bluetooth; using auto (auto|bluetooth|simulated)");
}

TEST(WindowChoice, FullScreenWhenAskedBareOrSmallOtherwiseTheLargestOfTheLayoutsShape) {
    // Full screen exactly when the window is the display; a tablet from L = 1024.
    const struct {
        QStringList arguments;
        app::DisplayFacts display;
        QSize window;
        int L;
    } cases[] = {
        // A desktop with a 40-pixel panel: the window and its frame fit above it.
        {{}, {{1920, 1080}, {1920, 1040}, {527, 296}, true}, {1778, 1000}, 1366},
        {{}, {{1280, 800}, {1280, 760}, {217, 136}, true}, {1271, 720}, 1356},
        {{"--fullscreen"}, {{1366, 768}, {1366, 738}, {344, 194}, true}, {1366, 768}, 1366},
        {{}, {{1280, 800}, {1280, 800}, {217, 136}, false}, {1280, 800}, 1228},  // bare X
        {{}, {{800, 480}, {800, 450}, {154, 86}, true}, {800, 480}, 533},
        // Wider than a phone's layout: its widest shape.
        {{"--idiom", "phone"}, {{1920, 1080}, {1920, 1080}, {}, true}, {1846, 1040}, 568},
        // Measures given stay as given whatever shape the window takes.
        {{"--screen", "600x300"},
         {{1920, 1080}, {1920, 1040}, {527, 296}, true},
         {1875, 1000},
         600},
    };
    for (const auto& c : cases) {
        const auto choice = app::chooseWindow(LaunchOptions::from(given(c.arguments)), c.display);
        SCOPED_TRACE(testing::Message() << c.display.size.width() << " " << c.arguments.size());
        EXPECT_EQ(choice.placement.size, c.window);
        EXPECT_EQ(choice.placement.fullScreen, c.window == c.display.size);
        EXPECT_EQ(choice.screen.L, c.L);
        EXPECT_EQ(choice.screen.isTablet(), c.L >= 1024);
        EXPECT_EQ(choice.placement.followsShape, !c.arguments.contains("--screen"));
    }
}

TEST(ScriptOptions, TheVolumeStartsAtAHalfAndMustBeANumberFromZeroTo1Point5) {
    std::string error;
    app::CommandLineOptions given;
    given.script = QStringList{"s"};
    EXPECT_FLOAT_EQ(script::ScriptOptions::from(given, error)->volume, 0.5f);
    given.volume = QStringList{"2"};
    EXPECT_FALSE(script::ScriptOptions::from(given, error));
    EXPECT_EQ(error, "--volume must be a number from 0 to 1.5, not \"2\"");
}

}  // namespace
