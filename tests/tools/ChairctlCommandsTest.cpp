#include <gtest/gtest.h>

#include <sstream>

#include "tools/chairctl/Arguments.h"
#include "tools/chairctl/Commands.h"
#include "tools/chairctl/StatusWords.h"

namespace {

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result run(int (*command)(std::vector<std::string>, chairctl::Streams),
           std::vector<std::string> args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    int code = command(std::move(args), {in, out, err});
    return {code, out.str(), err.str()};
}

TEST(ChairctlArguments, CodesInEveryNotationAndTheirLimits) {
    EXPECT_EQ(chairctl::parseCode("49"), 49);
    EXPECT_EQ(chairctl::parseCode("-1"), -1);
    EXPECT_EQ(chairctl::parseCode("0xBC"), 188);
    EXPECT_EQ(chairctl::parseCode("-0x10"), -16);
    EXPECT_EQ(chairctl::parseCode("2147483647"), 2147483647);
    EXPECT_EQ(chairctl::parseCode("-2147483648"), INT32_MIN);
    for (const char* bad :
         {"", "-", "0x", "2147483648", "12a", "0x1G", " 1", "99999999999999999999"}) {
        EXPECT_FALSE(chairctl::parseCode(bad).has_value()) << bad;
    }
}

TEST(ChairctlFrame, PrintsTheBuiltFrameWithFieldsSetFirst) {
    EXPECT_EQ(run(chairctl::runFrame, {"17", "handSpeed=3"}).out, "AA 55 11 03 14 0D 0A\n");
    EXPECT_EQ(run(chairctl::runFrame, {"17"}).out, "AA 55 11 00 11 0D 0A\n");
    EXPECT_EQ(run(chairctl::runFrame, {"0x10", "uppperIntensity=0xF5"}).out,
              "AA 55 10 F5 05 0D 0A\n");
    EXPECT_EQ(run(chairctl::runFrame, {"-1"}).out, "AA 55 00 00 00 0D 0A\n");
    EXPECT_EQ(run(chairctl::runFrame, {"0"}).out, "AA 55 C3 3C FF 0D 0A\n");
}

TEST(ChairctlFrame, MistakesAreOneLineAndAUsageExit) {
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"x"},
                                                                  {"17", "handSpeed=256"},
                                                                  {"17", "speed=3"},
                                                                  {"17", "handSpeed"},
                                                                  {"17", "powerStatus=2"}}) {
        auto result = run(chairctl::runFrame, args);
        EXPECT_EQ(result.code, chairctl::kUsage);
        EXPECT_TRUE(result.out.empty());
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.err.rfind("chairctl: ", 0), 0u) << result.err;
    }
}

TEST(ChairctlReceive, FramesAreAnsweredAndDecodedInOrder) {
    auto result = run(chairctl::runReceive, {},
                      "# a running state, then a bad checksum\n"
                      "AA55F1041E05031B0D0A\n"
                      "aa 55 f1 04 1e 05 03 1c 0d 0a  # carry byte off by one\n");
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out,
              "sent AA 55 01 31 32 0D 0A\n"
              "sent AA 55 C3 3C FF 0D 0A\n"
              "frame AA 55 F1 04 1E 05 03 1B 0D 0A\n"
              "sent AA 55 C0 0C CC 0D 0A\n");
}

TEST(ChairctlReceive, HeldValuesPileUpAndAreCutIntoFramesOnDrain) {
    auto result = run(chairctl::runReceive, {},
                      "hold\n"
                      "AA 55 F6 01\n"
                      "F7 0D 0A AA 55 01 B1 B2 0D\n"
                      "0A AA\n"
                      "drain\n"
                      "55 A5 5A FF 0D 0A\n");
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out,
              "sent AA 55 01 31 32 0D 0A\n"
              "sent AA 55 C3 3C FF 0D 0A\n"
              "sent AA 55 C3 3C FF 0D 0A\n"
              "frame AA 55 F6 01 F7 0D 0A\n"
              "frame AA 55 01 B1 B2 0D 0A\n"
              "sent AA 55 C3 3C FF 0D 0A\n"
              "frame AA 55 A5 5A FF 0D 0A\n");
}

TEST(ChairctlReceive, ABadLineStopsWithItsNumber) {
    auto result = run(chairctl::runReceive, {}, "AA 55\n\nnot hex\nAA 55 01 B1 B2 0D 0A\n");
    EXPECT_EQ(result.code, chairctl::kUsage);
    EXPECT_EQ(result.err, "chairctl: line 3: not hex bytes: not hex\n");
    EXPECT_EQ(result.out, "sent AA 55 01 31 32 0D 0A\n");
}

TEST(ChairctlStatusWords, FieldsAreNamedAndUntrustedValuesStillShown) {
    using chairctl::describeStatusFrame;
    EXPECT_EQ(describeStatusFrame({0xAA, 0x55, 0xF1, 4, 30, 5, 3, 0x1B, 0x0D, 0x0A}),
              "running state mode=4 (running) minutes=30 position=5 intensity=3");
    EXPECT_EQ(describeStatusFrame({0xAA, 0x55, 0xF2, 5, 0, 0, 0, 0xF7, 0x0D, 0x0A}),
              "automatic programme programme=5 (waist twist)");
    EXPECT_EQ(describeStatusFrame({0xAA, 0x55, 0xF3, 5, 200, 3, 3, 0, 0x0D, 0x0A}),
              "manual massage range=5 (fixed) technique=200 speed=3 width=3");
    EXPECT_EQ(describeStatusFrame({0xAA, 0x55, 0xF4, 2, 3, 1, 0, 0, 0x0D, 0x0A}),
              "air pressure arm=2 zone=3 (legs) level=1 traction=0");
    EXPECT_EQ(describeStatusFrame({0xAA, 0x55, 0xF1, 9, 0x0FA, 0x0D, 0x0A}),
              "running state mode=9");
    EXPECT_EQ(describeStatusFrame({0xAA, 0x55, 0x01, 0xB1, 0xB2, 0x0D, 0x0A}),
              "command echo link check answered");
    EXPECT_EQ(describeStatusFrame({0xAA, 0x55, 0xA5, 0x5A, 0xFF, 0x0D, 0x0A}),
              "update result succeeded");
    EXPECT_EQ(describeStatusFrame({0xAA, 0x55, 0x33, 0x01, 0x34, 0x0D, 0x0A}),
              "unknown type 0x33: AA 55 33 01 34 0D 0A");
}

}  // namespace
