#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace chairctl {

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Exit codes: 0 done, 1 the work failed, 2 the command line was wrong.
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// Each takes the arguments after its own name.
int runFrame(std::vector<std::string> args, Streams io);
int runReceive(std::vector<std::string> args, Streams io);
int runMonitor(std::vector<std::string> args, Streams io);
int runSend(std::vector<std::string> args, Streams io);
int runReplay(std::vector<std::string> args, Streams io);
int runUpdate(std::vector<std::string> args, Streams io);

// Writes the one line of an error ("chairctl: ...") and returns `code`.
int fail(std::ostream& err, const std::string& message, int code);

}  // namespace chairctl
