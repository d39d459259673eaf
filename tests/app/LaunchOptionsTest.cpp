#include "app/LaunchOptions.h"

#include <gtest/gtest.h>

#include <sstream>

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
    read =
        given({"--idiom", "watch", "--screen", "568by300", "--screen", "99999x300", "--screen=0x0",
               "--settings=", "--chair", "Bluetooth", "--home", "/no/such/folder"});
    EXPECT_EQ(app::chairKindFrom(read), bluetooth::ChairKind::Auto);
    options = LaunchOptions::from(read);
    EXPECT_FALSE(options.idiom);
    EXPECT_FALSE(options.measures);
    EXPECT_FALSE(options.settingsFile);
    EXPECT_FALSE(options.home);
    ASSERT_EQ(capture.lines().size(), 7u);
    EXPECT_EQ(capture.lines()[0],
              "Unknown --chair Bluetooth; using auto (auto|bluetooth|simulated)");
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
