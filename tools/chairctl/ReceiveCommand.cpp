#include <istream>
#include <memory>

#include "base/Dispatch.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "chair/StandInChair.h"
#include "link/Hex.h"
#include "link/LinkStack.h"
#include "tools/chairctl/Arguments.h"
#include "tools/chairctl/Commands.h"
#include "tools/chairctl/LineOutput.h"
#include "tools/chairctl/SteppedMainThread.h"

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

// The remote's link on a manual clock, connected to a quiet stand-in chair. Main-thread
// tasks run one at a time with every queue idle in between, so the output order is fixed.
class ScriptedLink {
public:
    explicit ScriptedLink(LineOutput& out) : out_(out) {
        clock_.setSettle([this] { settle(); });
        chair_ = chair::StandInChair::create(dispatch_, clock_, {.quiet = true});
        // Chair queue.
        chair_->setWriteObserver([this](const chairlink::Bytes& bytes) {
            out_.line("sent " + chairlink::upperHexPairs(bytes));
        });
        link_ = std::make_unique<chairlink::LinkStack>(
            chairlink::LinkEnvironment{dispatch_, clock_, notifications_, chair_->centralFactory()},
            // Main thread.
            [this](const chairlink::Bytes& frame) {
                out_.line("frame " + chairlink::upperHexPairs(frame));
            });
        clock_.runDue();
    }

    ~ScriptedLink() {
        clock_.runDue();
        chair_->setWriteObserver(nullptr);
        link_.reset();
        settle();
    }

    bool connected() const { return link_->controller().isConnected(); }

    void notify(const chairlink::Bytes& value) {
        chair_->notify(value);
        clock_.runDue();
    }

    void hold() { link_->receiver().hold(); }

    void release() {
        link_->receiver().release();
        clock_.runDue();
    }

private:
    void settle() {
        do {
            dispatch_.settle();
        } while (main_.runOne());
    }

    LineOutput& out_;
    SteppedMainThread main_;
    base::Dispatch dispatch_{main_};
    base::ManualClock clock_;
    base::NotificationCenter notifications_;
    std::shared_ptr<chair::StandInChair> chair_;
    std::unique_ptr<chairlink::LinkStack> link_;
};

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
    ScriptedLink link(out);
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
