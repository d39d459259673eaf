#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

struct Run {
    int code;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the real chairctl with the arguments and input; a hung run is ended after 20 s.
Run chairctl(const std::string& args, const std::string& input = {}) {
    // ctest runs tests side by side: each process gets files of its own.
    std::string base = ::testing::TempDir() + "/chairctl-" + std::to_string(::getpid());
    std::string in = base + ".in", out = base + ".out", err = base + ".err";
    std::ofstream(in) << input;
    std::string command =
        "timeout 20 " CHAIRCTL_PATH " " + args + " <" + in + " >" + out + " 2>" + err;
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
}

TEST(ChairctlBinary, EveryCommandHasHelpAndMistakesExitWithOneLine) {
    auto help = chairctl("--help");
    EXPECT_EQ(help.code, 0);
    for (const char* command : {"frame", "receive", "monitor", "send"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
        auto own = chairctl(std::string(command) + " --help");
        EXPECT_EQ(own.code, 0) << command;
        EXPECT_EQ(own.out.rfind(std::string("usage: chairctl ") + command, 0), 0u) << own.out;
    }
    for (const char* wrong : {"", "bogus", "frame", "send", "send --frames 0 49",
                              "monitor --chair nowhere", "monitor --chair Bluetooth"}) {
        auto run = chairctl(wrong);
        EXPECT_EQ(run.code, 2) << wrong;
        EXPECT_TRUE(run.out.empty()) << wrong;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << wrong << ": " << run.err;
    }
}

TEST(ChairctlBinary, FrameAndReceiveThroughTheBinary) {
    auto frame = chairctl("frame 0x11 handSpeed=3");
    EXPECT_EQ(frame.code, 0);
    EXPECT_EQ(frame.out, "AA 55 11 03 14 0D 0A\n");
    auto receive =
        chairctl("receive", "AA 55 01 B1 B2 0D 0A AA 55 C0 0C CC 0D 0A AA 55 F6 01 F7 0D 0A\n");
    EXPECT_EQ(receive.code, 0) << receive.err;
    // The stop frame ends the drain; what follows it waits for the next announcement.
    EXPECT_EQ(receive.out,
              "sent AA 55 01 31 32 0D 0A\n"
              "sent AA 55 C3 3C FF 0D 0A\n"
              "frame AA 55 01 B1 B2 0D 0A\n");
    EXPECT_TRUE(receive.err.empty()) << receive.err;
}

TEST(ChairctlBinary, MonitorPrintsTheSimulatedChairsStatusInWords) {
    auto run = chairctl("monitor --chair simulated --frames 7");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "running state mode=0 (off) minutes=0 position=0 intensity=0\n"
              "automatic programme programme=0 (none)\n"
              "manual massage range=0 (fixed) technique=0 (none) speed=0 width=0\n"
              "air pressure arm=0 zone=0 (none) level=0 traction=0\n"
              "other functions rollers=0 heat=0\n"
              "quick key auto=0\n"
              "service start=0 item=0\n");
}

TEST(ChairctlBinary, SendPrintsOnlyWhatComesBackToItsCodes) {
    auto run = chairctl("send --settle 0.05 --frames 2 177 0xB8");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "command echo link check answered\nservice start=1 item=0\n");
}

}  // namespace
