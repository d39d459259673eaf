#include <istream>

#include "link/Hex.h"
#include "tools/chairctl/Arguments.h"
#include "tools/chairctl/Commands.h"
#include "tools/chairctl/LineOutput.h"
#include "tools/chairctl/ScriptedLink.h"

namespace chairctl {

namespace {

constexpr const char* kReceiveHelp =
    "usage: chairctl receive [--verbose]\n"
    "Reads lines from standard input. Each line of hex bytes (spaces optional, '#' starts a\n"
    "comment) is one value notified by a quiet stand-in chair, received by the real session\n"
    "controller on a manual clock. A line 'hold' keeps the drain from running until a line\n"
    "'drain', so values pile up in the read buffer. Prints in order 'sent XX ..' for every\n"
    "write of the remote and 'frame XX ..' for every frame handed to the status decoder.\n"
    "--verbose also prints the link's log lines on standard error.\n";

std::string trimmed(const std::string& line) {
    auto text = line.substr(0, line.find('#'));
    auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

int runReceive(std::vector<std::string> args, Streams io) {
    const CommandArguments read = readCommandArguments(args, {{"verbose", false}});
    if (read.help) {
        io.out << kReceiveHelp;
        return 0;
    }
    if (read.error) return fail(io.err, *read.error, kUsage);
    const bool verbose = read.isSet("verbose");
    if (!read.positional.empty())
        return fail(io.err, "receive takes no argument '" + read.positional[0] + "'", kUsage);

    LogRouting logs(io.err, verbose);
    LineOutput out(io.out);
    ScriptedLink link(
        [&out](const chairlink::Bytes& bytes) {
            out.line("sent " + chairlink::upperHexPairs(bytes));
        },
        [&out](const chairlink::Bytes& frame) {
            out.line("frame " + chairlink::upperHexPairs(frame));
        });
    if (!link.connected()) return fail(io.err, "the stand-in chair did not connect", kFailed);

    std::string line;
    for (int number = 1; std::getline(io.in, line); ++number) {
        std::string text = trimmed(line);
        if (text.empty()) continue;
        if (text == "hold") {
            link.hold();
        } else if (text == "drain") {
            link.release();
        } else if (auto bytes = chairlink::parseHexBytes(text); bytes && !bytes->empty()) {
            link.notify(*bytes);
        } else {
            return fail(io.err, "line " + std::to_string(number) + ": not hex bytes: " + text,
                        kUsage);
        }
    }
    return 0;
}

}  // namespace chairctl
