// chairctl update: an update file to the chair as the service panel sends it, for technicians.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>

#include "link/CommandFrames.h"
#include "link/StatusReport.h"
#include "link/UpdateFile.h"
#include "link/UpdateUpload.h"
#include "tools/chairctl/Arguments.h"
#include "tools/chairctl/Commands.h"
#include "tools/chairctl/LineOutput.h"
#include "tools/chairctl/LiveLink.h"

namespace chairctl {

namespace {

constexpr const char* kUpdateHelp =
    "usage: chairctl update [--chair KIND] [--timeout S] [--capture FILE] [--verbose] FILE\n"
    "Sends an update file to the chair as the app's service panel does: connects, runs the\n"
    "link check (up to four polls 0.2 s apart), writes the file in 102-byte pieces and waits\n"
    "5 s from the last piece for the chair to confirm it. Exits 0 when the chair confirmed\n"
    "the update and 1, with one line saying why, when it did not.\n"
    "Refuses what the app refuses: an empty or unreadable file, one over 16 MiB, and a link\n"
    "whose writes are too short for a piece (where the link tells it; otherwise the first\n"
    "refused piece ends the update).\n"
    "On a terminal the progress shows on one line (percent, bytes, rate, time left); otherwise\n"
    "one line per 10 %.\n"
    "  --chair KIND  the chair: auto (default: Bluetooth when there is an adapter, else the\n"
    "                stand-in), bluetooth or simulated\n"
    "  --timeout S   give up when the link is not up after S seconds (default 10)\n"
    "  --capture FILE  record every value over the link in FILE (btsnoop, for Wireshark)\n"
    "  --verbose     also print the link's log lines on standard error\n";

const std::vector<std::pair<const char*, bool>> kUpdateOptions = {
    {"chair", true}, {"timeout", true}, {"capture", true}, {"verbose", false}};

// As the service panel times them.
constexpr double kPollInterval = 0.2;
constexpr int kPolls = 4;
constexpr double kConfirmationWait = 5.0;

// Why the file was refused, in one line.
std::string refusalLine(const std::string& name, chairlink::UpdateFile::Refusal refusal) {
    using Refusal = chairlink::UpdateFile::Refusal;
    if (refusal == Refusal::TooLarge) return "'" + name + "' is larger than 16 MiB";
    if (refusal == Refusal::Empty) return "'" + name + "' is empty";
    return "'" + name + "' cannot be read";
}

std::string minutesAndSeconds(double seconds) {
    const long whole = std::lround(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

// Shows the progress: one line redrawn on a terminal, a line per 10 % elsewhere.
class ProgressShow final : public chairlink::UploadListener {
public:
    ProgressShow(std::ostream& out, bool terminal, std::function<double()> now)
        : out_(out), terminal_(terminal), now_(std::move(now)) {}

    // The rate counts from here: the link's coming up and its check are not the upload's.
    void start() { startedAt_ = now_(); }

    void uploadProgressed(const chairlink::UploadProgress& progress) override {
        last = progress;
        if (progress.stage == chairlink::UploadProgress::Stage::Sent) sentAt = now_();
        const int percent = progress.percent();
        const bool ended = progress.stage != chairlink::UploadProgress::Stage::Sending;
        if (!terminal_ && percent / 10 == shownTenth_ && !ended) return;
        shownTenth_ = percent / 10;
        const double seconds = now_() - startedAt_;
        const double rate = seconds > 0 ? double(progress.bytesSent) / seconds : 0;
        char text[160];
        std::snprintf(text, sizeof text, "update: %3d %% %zu / %zu B, %.1f KiB/s", percent,
                      progress.bytesSent, progress.totalBytes, rate / 1024);
        std::string line = text;
        if (rate > 0 && !ended)
            line += ", " +
                    minutesAndSeconds(double(progress.totalBytes - progress.bytesSent) / rate) +
                    " left";
        if (terminal_) {
            out_ << '\r' << line << "\x1b[K" << (ended ? "\n" : "") << std::flush;
        } else {
            out_ << line << '\n' << std::flush;
        }
    }

    std::optional<chairlink::UploadProgress> last;
    std::optional<double> sentAt;

private:
    std::ostream& out_;
    const bool terminal_;
    std::function<double()> now_;
    double startedAt_ = 0;
    int shownTenth_ = -1;
};

}  // namespace

int runUpdate(std::vector<std::string> args, Streams io) {
    const CommandArguments read = readCommandArguments(args, kUpdateOptions);
    if (read.help) {
        io.out << kUpdateHelp;
        return 0;
    }
    if (read.error) return fail(io.err, *read.error, kUsage);
    if (read.positional.size() != 1) return fail(io.err, "update needs one FILE", kUsage);
    double timeout = 10.0;
    if (auto text = read.value("timeout")) {
        auto seconds = parseSeconds(*text);
        if (!seconds) return fail(io.err, "bad --timeout '" + *text + "'", kUsage);
        timeout = *seconds;
    }
    const auto file = chairlink::readUpdateFile(read.positional.front());
    if (!file.bytes)
        return fail(io.err, refusalLine(read.positional.front(), file.refusal), kFailed);

    LogRouting logs(io.err, read.isSet("verbose"));
    enum class Phase { Connecting, Checking, Sending, Confirming } phase = Phase::Connecting;
    bool checked = false;
    bool confirmed = false;
    // Main thread.
    LiveLink link(
        read.value("chair").value_or(kDefaultCentral),
        [&](const chairlink::Bytes& frame) {
            const auto report = chairlink::decodeStatus(frame);
            checked = checked || report.answersLinkCheck();
            const bool sending = phase == Phase::Confirming || phase == Phase::Sending;
            confirmed = confirmed || (sending && report.updateSucceeded());
        },
        {}, read.value("capture").value_or(std::string()));
    if (!link.error().empty()) return fail(io.err, link.error(), kUsage);
    const bool terminal = &io.out == &std::cout && isatty(STDOUT_FILENO);
    auto progress = std::make_shared<ProgressShow>(io.out, terminal, [&] { return link.now(); });
    std::string failure;
    const double startedAt = link.now();
    double phaseAt = startedAt;
    int polls = 0;
    const bool interrupted = link.run([&] {
        const double now = link.now();
        auto& controller = link.controller();
        switch (phase) {
            case Phase::Connecting:
                if (controller.isConnected()) {
                    phase = Phase::Checking;
                    phaseAt = now - kPollInterval;
                } else if (now - startedAt > timeout) {
                    failure = "no chair connected within " + std::to_string(timeout) + " s";
                    return false;
                }
                return true;
            case Phase::Checking:
                if (checked) {
                    progress->start();
                    const auto start = controller.update(*file.bytes, progress);
                    if (start != chairlink::UploadStart::Started) {
                        failure = "the link went before the update could start";
                        return false;
                    }
                    phase = Phase::Sending;
                } else if (now - phaseAt >= kPollInterval) {
                    if (polls == kPolls) {
                        failure = "the chair did not answer the link check";
                        return false;
                    }
                    controller.sendCode(chairlink::kLinkCheckCode);
                    ++polls;
                    phaseAt = now;
                }
                return true;
            case Phase::Sending:
                if (!progress->last ||
                    progress->last->stage == chairlink::UploadProgress::Stage::Sending)
                    return true;
                if (progress->last->stage == chairlink::UploadProgress::Stage::Stopped) {
                    failure = "the link was lost during the update";
                    return false;
                }
                if (progress->last->stage == chairlink::UploadProgress::Stage::Failed) {
                    failure = "the update failed: " + progress->last->failure;
                    return false;
                }
                phase = Phase::Confirming;
                return true;
            case Phase::Confirming:
                if (confirmed) return false;
                // Counted from the last piece, as the service panel counts it.
                if (now - progress->sentAt.value_or(now) >= kConfirmationWait) {
                    failure = "the chair did not confirm the update within 5 s";
                    return false;
                }
                return true;
        }
        return false;
    });
    if (interrupted) return fail(io.err, "interrupted", kFailed);
    if (!failure.empty()) return fail(io.err, failure, kFailed);
    io.out << "update: the chair confirmed the update\n";
    return 0;
}

}  // namespace chairctl
