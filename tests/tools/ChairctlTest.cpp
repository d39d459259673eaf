// chairctl as a user runs it, and its own parsing and wording in process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/chairctl/Arguments.h"
#include "tools/chairctl/Commands.h"
#include "tools/chairctl/StatusWords.h"

namespace {

struct Run {
    int code;
    std::string out, err;
};

// Runs the real chairctl with the arguments and input; a hung run is ended after 20 s.
Run chairctl(const std::string& args, const std::string& input = {}) {
    // ctest runs tests side by side: each process gets files of its own.
    std::string base = ::testing::TempDir() + "/chairctl-" + std::to_string(::getpid());
    std::ofstream(base + ".in") << input;
    int status = std::system(("timeout 20 " CHAIRCTL_PATH " " + args + " <" + base + ".in >" +
                              base + ".out 2>" + base + ".err")
                                 .c_str());
    std::stringstream out, err;
    out << std::ifstream(base + ".out").rdbuf();
    err << std::ifstream(base + ".err").rdbuf();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out.str(), err.str()};
}

TEST(ChairctlBinary, EveryCommandHasHelpAndMistakesExitWithOneLine) {
    auto help = chairctl("--help");
    EXPECT_EQ(help.code, 0);
    for (const char* command : {"frame", "receive", "monitor", "send", "update", "replay"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
        auto own = chairctl(std::string(command) + " --help");
        EXPECT_EQ(own.code, 0) << command;
        EXPECT_EQ(own.out.rfind(std::string("usage: chairctl ") + command, 0), 0u) << own.out;
    }
    for (const char* wrong :
         {"", "bogus", "frame", "frame x", "frame 17 handSpeed=256", "frame 17 speed=3",
          "frame 17 handSpeed", "frame 17 powerStatus=2", "send", "send --frames 0 49",
          "monitor --chair nowhere", "monitor --chair Bluetooth", "replay", "replay a b",
          "replay --write-handle 0 a", "replay --notify-handle 0x10000 a", "update",
          "update --timeout x f"}) {
        auto run = chairctl(wrong);
        EXPECT_EQ(run.code, chairctl::kUsage) << wrong;
        EXPECT_TRUE(run.out.empty()) << wrong;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << wrong << ": " << run.err;
        EXPECT_EQ(run.err.rfind("chairctl: ", 0), 0u) << run.err;
    }
    EXPECT_EQ(chairctl("frame 0x11 handSpeed=3").out, "AA 55 11 03 14 0D 0A\n");
    EXPECT_EQ(chairctl("frame 0x10 uppperIntensity=0xF5").out, "AA 55 10 F5 05 0D 0A\n");
}

TEST(ChairctlBinary, MonitorAndSendPrintTheSimulatedChairsAnswersInWords) {
    auto monitor = chairctl("monitor --chair simulated --frames 7");
    EXPECT_EQ(monitor.code, 0) << monitor.err;
    EXPECT_EQ(monitor.out,
              "running state mode=0 (off) minutes=0 position=0 intensity=0\n"
              "automatic programme programme=0 (none)\n"
              "manual massage range=0 (fixed) technique=0 (none) speed=0 width=0\n"
              "air pressure arm=0 zone=0 (none) level=0 traction=0\n"
              "other functions rollers=0 heat=0\nquick key auto=0\nservice start=0 item=0\n");
    // send prints only what comes back to its own codes.
    auto send = chairctl("send --settle 0.05 --frames 2 177 0xB8");
    EXPECT_EQ(send.code, 0) << send.err;
    EXPECT_EQ(send.out, "command echo link check answered\nservice start=1 item=0\n");
}

// The stand-in chair answers the link check and confirms; files the app refuses are refused
// before any link is made, each with one line.
TEST(ChairctlBinary, UpdateSendsAFileToTheSimulatedChairAndRefusesWhatTheAppRefuses) {
    const std::string base = ::testing::TempDir() + "/update-" + std::to_string(::getpid());
    std::ofstream(base + ".bin") << std::string(1000, 'u');
    std::ofstream(base + ".empty").flush();
    std::ofstream(base + ".huge").flush();
    std::filesystem::resize_file(base + ".huge", 16 * 1024 * 1024 + 1);
    auto run = chairctl("update --chair simulated " + base + ".bin");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.rfind("update:  10 % 102 / 1000 B", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\nupdate: 100 % 1000 / 1000 B"), std::string::npos) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 11) << run.out;
    EXPECT_TRUE(run.out.ends_with("\nupdate: the chair confirmed the update\n"));
    const std::pair<const char*, const char*> refused[] = {
        {".empty", "is empty"}, {".huge", "is larger than 16 MiB"}, {".none", "cannot be read"}};
    for (const auto& [suffix, why] : refused) {
        run = chairctl("update --chair simulated " + base + suffix);
        EXPECT_EQ(run.code, chairctl::kFailed) << suffix;
        EXPECT_EQ(run.err, "chairctl: '" + base + suffix + "' " + why + "\n");
    }
}

// How frames are cut, checked and answered is the link's; here, what receive makes of its
// lines: comments, hex in any spacing and case, hold and drain, and the first bad line.
TEST(ChairctlBinary, ReceiveReadsHexLinesHoldsAndDrainsAndStopsAtTheFirstBadLine) {
    const std::string hello = "sent AA 55 01 31 32 0D 0A\nsent AA 55 C3 3C FF 0D 0A\n";
    auto result = chairctl("receive",
                           "# comment\naa55f1041e05031b0d0a  # a frame\nhold\n"
                           "AA 55 F6 01\nF7 0D 0A AA 55 01 B1 B2 0D\n0A AA\ndrain\n"
                           "55 A5 5A FF 0D 0A\n");
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, hello +
                              "frame AA 55 F1 04 1E 05 03 1B 0D 0A\nsent AA 55 C3 3C FF 0D 0A\n"
                              "sent AA 55 C3 3C FF 0D 0A\nframe AA 55 F6 01 F7 0D 0A\n"
                              "frame AA 55 01 B1 B2 0D 0A\nsent AA 55 C3 3C FF 0D 0A\n"
                              "frame AA 55 A5 5A FF 0D 0A\n");
    result = chairctl("receive", "AA 55\n\nnot hex\nAA 55 01 B1 B2 0D 0A\n");
    EXPECT_EQ(result.code, chairctl::kUsage);
    EXPECT_EQ(result.err, "chairctl: line 3: not hex bytes: not hex\n");
    EXPECT_EQ(result.out, "sent AA 55 01 31 32 0D 0A\n");
}

TEST(ChairctlArguments, CodesAreDecimalOrHexInt32s) {
    for (auto [text, code] : std::map<std::string, int>{
             {"49", 49}, {"-0x10", -16}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}})
        EXPECT_EQ(chairctl::parseCode(text), code) << text;
    for (const char* bad : {"", "-", "0x", "2147483648", "12a", "0x1G", " 1", "99999999999999999"})
        EXPECT_FALSE(chairctl::parseCode(bad).has_value()) << bad;
}

TEST(ChairctlStatusWords, FieldsAreNamedAndUntrustedValuesStillShown) {
    const std::pair<chairlink::Bytes, const char*> cases[] = {
        {{0xAA, 0x55, 0xF1, 4, 30, 5, 3, 0x1B, 0x0D, 0x0A},
         "running state mode=4 (running) minutes=30 position=5 intensity=3"},
        {{0xAA, 0x55, 0xF3, 5, 200, 3, 3, 0, 0x0D, 0x0A},
         "manual massage range=5 (fixed) technique=200 speed=3 width=3"},
        {{0xAA, 0x55, 0xF1, 9, 0x0FA, 0x0D, 0x0A}, "running state mode=9"},
        {{0xAA, 0x55, 0x01, 0xB1, 0xB2, 0x0D, 0x0A}, "command echo link check answered"},
        {{0xAA, 0x55, 0xA5, 0x5A, 0xFF, 0x0D, 0x0A}, "update result succeeded"},
        {{0xAA, 0x55, 0x33, 0x01, 0x34, 0x0D, 0x0A}, "unknown type 0x33: AA 55 33 01 34 0D 0A"},
    };
    for (const auto& [frame, words] : cases) EXPECT_EQ(chairctl::describeStatusFrame(frame), words);
}

}  // namespace
