#include <optional>
#include <ostream>

#include "link/Hex.h"
#include "tools/chairctl/Arguments.h"
#include "tools/chairctl/Commands.h"
#include "tools/chairctl/LineOutput.h"
#include "tools/chairctl/LiveLink.h"
#include "tools/chairctl/StatusWords.h"

namespace chairctl {

namespace {

constexpr const char* kMonitorHelp =
    "usage: chairctl monitor [--chair KIND] [--frames N] [--capture FILE] [--verbose]\n"
    "                        [CODE ...]\n"
    "Connects like the app and prints every status frame from the chair in words, one per\n"
    "line, until interrupted (Ctrl-C). CODEs (decimal, negative decimal or 0x-hex) are sent\n"
    "once the link is up.\n"
    "  --chair KIND  the chair: auto (default: Bluetooth when there is an adapter, else the\n"
    "                stand-in), bluetooth or simulated\n"
    "  --frames N    stop after N frames\n"
    "  --capture FILE  record every value over the link in FILE (btsnoop, for Wireshark)\n"
    "  --verbose     also print the link's log lines and its changes (searching,\n"
    "                connected, trying again) on standard error\n";

constexpr const char* kSendHelp =
    "usage: chairctl send [--chair KIND] [--wait S] [--frames N] [--settle S] [--timeout S]\n"
    "                     [--capture FILE] [--verbose] CODE ...\n"
    "Connects, sends the command codes (decimal, negative decimal or 0x-hex) one after the\n"
    "other, prints in words every status frame that comes back, and exits.\n"
    "  --chair KIND  the chair: auto (default: Bluetooth when there is an adapter, else the\n"
    "                stand-in), bluetooth or simulated\n"
    "  --wait S      seconds to listen after the last send (default 1)\n"
    "  --frames N    exit as soon as N frames came back\n"
    "  --settle S    seconds without a frame that end the chair's link-up answer (default 0.3)\n"
    "  --timeout S   give up when the link is not up after S seconds (default 10)\n"
    "  --capture FILE  record every value over the link in FILE (btsnoop, for Wireshark)\n"
    "  --verbose     also print the link's log lines on standard error\n";

// The options both commands share, taken from the arguments.
struct LiveOptions {
    std::string chair = kDefaultCentral;
    std::optional<std::int64_t> frames;
    bool verbose = false;
    double wait = 1.0;
    double settle = 0.3;
    double timeout = 10.0;
    std::string capture;  // empty: none
    std::vector<std::int32_t> codes;
};

const std::vector<std::pair<const char*, bool>> kLiveOptions = {
    {"chair", true}, {"frames", true}, {"verbose", false}, {"capture", true}};
const std::vector<std::pair<const char*, bool>> kTimedOptions = {
    {"chair", true}, {"frames", true}, {"verbose", false}, {"capture", true},
    {"wait", true},  {"settle", true}, {"timeout", true}};

// Reads the options into `o`; on failure returns the error line.
std::optional<std::string> parseLive(const CommandArguments& read, bool timed, LiveOptions& o) {
    if (read.error) return read.error;
    if (auto chair = read.value("chair")) o.chair = *chair;
    if (auto capture = read.value("capture")) o.capture = *capture;
    if (auto frames = read.value("frames")) {
        o.frames = parseNumber(*frames, 1, 1000000);
        if (!o.frames) return "bad --frames '" + *frames + "'";
    }
    if (timed) {
        for (auto [name, field] : {std::pair{"wait", &o.wait}, std::pair{"settle", &o.settle},
                                   std::pair{"timeout", &o.timeout}}) {
            auto text = read.value(name);
            if (!text) continue;
            auto seconds = parseSeconds(*text);
            if (!seconds) return std::string("bad --") + name + " '" + *text + "'";
            *field = *seconds;
        }
    }
    o.verbose = read.isSet("verbose");
    for (const auto& arg : read.positional) {
        auto code = parseCode(arg);
        if (!code) return "bad command code '" + arg + "'";
        o.codes.push_back(*code);
    }
    return std::nullopt;
}

}  // namespace

int runMonitor(std::vector<std::string> args, Streams io) {
    const CommandArguments read = readCommandArguments(args, kLiveOptions);
    if (read.help) {
        io.out << kMonitorHelp;
        return 0;
    }
    LiveOptions options;
    if (auto error = parseLive(read, false, options)) return fail(io.err, *error, kUsage);

    LogRouting logs(io.err, options.verbose);
    LineOutput out(io.out);
    std::int64_t printed = 0;
    // Main thread.
    LiveLink::LinkStateHandler onLinkState;
    if (options.verbose) {
        onLinkState = [&](const chairlink::LinkState& state) {
            io.err << describeLinkState(state) << std::endl;
        };
    }
    LiveLink link(
        options.chair,
        [&](const chairlink::Bytes& frame) {
            out.line(describeStatusFrame(frame));
            ++printed;
        },
        onLinkState, options.capture);
    if (!link.error().empty()) return fail(io.err, link.error(), kUsage);
    bool sent = false;
    link.run([&] {
        if (!sent && link.controller().isConnected()) {
            for (auto code : options.codes) link.controller().sendCode(code);
            sent = true;
        }
        return !options.frames || printed < *options.frames;
    });
    return 0;
}

int runSend(std::vector<std::string> args, Streams io) {
    const CommandArguments read = readCommandArguments(args, kTimedOptions);
    if (read.help) {
        io.out << kSendHelp;
        return 0;
    }
    LiveOptions options;
    if (auto error = parseLive(read, true, options)) return fail(io.err, *error, kUsage);
    if (options.codes.empty()) return fail(io.err, "send needs at least one command code", kUsage);

    LogRouting logs(io.err, options.verbose);
    LineOutput out(io.out);
    enum class Phase { Connecting, Settling, Listening } phase = Phase::Connecting;
    double lastFrameAt = 0;
    double sentAt = 0;
    std::int64_t printed = 0;
    // Main thread. The chair's answer to the link coming up is not ours to print.
    LiveLink link(
        options.chair,
        [&](const chairlink::Bytes& frame) {
            lastFrameAt = link.now();
            if (phase != Phase::Listening) return;
            out.line(describeStatusFrame(frame));
            ++printed;
        },
        {}, options.capture);
    if (!link.error().empty()) return fail(io.err, link.error(), kUsage);
    double startedAt = link.now();
    bool timedOut = false;
    bool interrupted = link.run([&] {
        double now = link.now();
        switch (phase) {
            case Phase::Connecting:
                if (link.controller().isConnected()) {
                    phase = Phase::Settling;
                    lastFrameAt = now;
                } else if (now - startedAt > options.timeout) {
                    timedOut = true;
                    return false;
                }
                return true;
            case Phase::Settling:
                if (now - lastFrameAt < options.settle) return true;
                phase = Phase::Listening;
                for (auto code : options.codes) link.controller().sendCode(code);
                sentAt = now;
                return true;
            case Phase::Listening:
                if (options.frames && printed >= *options.frames) return false;
                return now - sentAt < options.wait;
        }
        return false;
    });
    if (timedOut) {
        return fail(io.err, "no chair connected within " + std::to_string(options.timeout) + " s",
                    kFailed);
    }
    return interrupted ? kFailed : 0;
}

}  // namespace chairctl
