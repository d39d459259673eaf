// massage-remote's own command line, answered before Qt starts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "main/CommandLine.h"

namespace {

struct Answer {
    std::optional<int> code;
    std::string out, err;
};

Answer answer(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "massage-remote");
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    std::ostringstream out, err;
    const auto code = mainscreen::answerCommandLine(int(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

TEST(CommandLine, HelpAndVersionAreAnsweredWhateverElseIsGiven) {
    const Answer help = answer({"--chair", "simulated", "--help", "--bogus"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--script FILE"), std::string::npos);
    const Answer version = answer({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("massage-remote ") + mainscreen::appVersion() + "\n");
}

TEST(CommandLine, KnownOptionsAndQtsOwnRunTheApp) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {},
             {"--chair", "bluetooth", "--idiom=tablet", "--screen", "1024x768"},
             {"--script", "tour.script", "--home", "/tmp", "--log", "x.log", "--volume", "0.5"},
             {"-platform", "offscreen", "--settings", "a.ini"}}) {
        const Answer a = answer(arguments);
        EXPECT_EQ(a.code, std::nullopt) << a.err;
        EXPECT_EQ(a.err, "");
    }
}

TEST(CommandLine, AnUnknownOptionOrStrayArgumentIsOneLineAndExitTwo) {
    const Answer option = answer({"--idiom", "phone", "--colour", "red"});
    EXPECT_EQ(option.code, 2);
    EXPECT_EQ(option.err,
              "massage-remote: unknown option '--colour' (see massage-remote --help)\n");
    const Answer stray = answer({"tour.script"});
    EXPECT_EQ(stray.code, 2);
    EXPECT_EQ(stray.err,
              "massage-remote: unexpected argument 'tour.script' (see massage-remote --help)\n");
}

}  // namespace
