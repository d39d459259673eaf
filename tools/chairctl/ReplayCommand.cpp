#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "base/Log.h"
#include "link/CaptureReader.h"
#include "link/CommandFrames.h"
#include "link/CommandNames.h"
#include "link/Hex.h"
#include "tools/chairctl/Arguments.h"
#include "tools/chairctl/Commands.h"
#include "tools/chairctl/LineOutput.h"
#include "tools/chairctl/ScriptedLink.h"
#include "tools/chairctl/StatusWords.h"

namespace chairctl {

namespace {

constexpr const char* kReplayHelp =
    "usage: chairctl replay [--notify-handle H] [--write-handle H] [--verbose] FILE\n"
    "Reads a btsnoop capture (made with --capture, or a phone's HCI snoop log) and prints the\n"
    "session in words, one line per event with its time in seconds: the commands and update\n"
    "pieces the remote wrote, and every status frame the chair notified as the remote's\n"
    "receive path takes it, frames it rejects for a wrong checksum included (the remote's\n"
    "own acknowledge and reject answers are not printed). The chair's characteristics are\n"
    "found from the capture's GATT discovery (FFE1, FFE2), else by their frames, else given:\n"
    "  --notify-handle H  the ATT handle the chair notifies on (decimal or 0x-hex)\n"
    "  --write-handle H   the ATT handle the remote writes to\n"
    "  --verbose          also print the link's log lines on standard error\n"
    "Each damaged record is one line on standard error; the exit code is then 1.\n";

// No capture a phone keeps is larger.
constexpr std::streamsize kLargestCapture = 512LL * 1024 * 1024;

std::string describeWrite(const chairlink::Bytes& value, std::size_t& updateOffset) {
    using namespace chairlink;
    const bool frame = value.size() == kShortFrameLength && value[0] == kHeaderFirst &&
                       value[1] == kHeaderSecond && value[5] == kTrailerFirst &&
                       value[6] == kTrailerSecond;
    if (!frame) {
        // Update data: pieces follow each other until a short one ends the file.
        std::string line =
            base::format("update piece at %zu, %zu bytes", updateOffset, value.size());
        updateOffset = value.size() < kUpdatePieceSize ? 0 : updateOffset + value.size();
        return line;
    }
    const std::uint8_t group = value[kTypeIndex];
    const std::uint8_t byte = value[kValueIndex];
    std::int32_t code = -1;
    std::string setting;
    if (group == kSimpleCommandGroup) {
        code = byte;
    } else if (isSettingCode(group)) {
        code = group;
        setting = " " + std::to_string(byte);
    }
    std::string line;
    if (std::ranges::equal(value, kAcknowledgeFrame)) {
        line = "acknowledge";
    } else if (std::ranges::equal(value, kRejectFrame)) {
        line = "reject";
    } else if (code >= 0 && !commandName(code).empty()) {
        line = std::string(commandName(code)) + setting + base::format(" (code 0x%02X)", code);
    } else {
        line = "command " + upperHexPairs(value);
    }
    if (value[4] != commandChecksum(group, byte)) line += " (checksum wrong)";
    return line;
}

}  // namespace

int runReplay(std::vector<std::string> args, Streams io) {
    const CommandArguments read = readCommandArguments(
        args, {{"notify-handle", true}, {"write-handle", true}, {"verbose", false}});
    if (read.help) {
        io.out << kReplayHelp;
        return 0;
    }
    if (read.error) return fail(io.err, *read.error, kUsage);
    if (read.positional.size() != 1) return fail(io.err, "replay takes one capture file", kUsage);
    chairlink::ChairHandles handles;
    for (auto [name, field] :
         {std::pair{"notify-handle", &handles.notify}, std::pair{"write-handle", &handles.write}}) {
        auto text = read.value(name);
        if (!text) continue;
        auto handle = parseNumber(*text, 1, 0xFFFF);
        if (!handle) return fail(io.err, std::string("bad --") + name + " '" + *text + "'", kUsage);
        *field = std::uint16_t(*handle);
    }

    const std::string& path = read.positional.front();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return fail(io.err, "\"" + path + "\" is not a file", kFailed);
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return fail(io.err, "cannot read \"" + path + "\"", kFailed);
    // Measured before it is read, so a huge file is refused without filling memory.
    if (std::streamoff(file.tellg()) > kLargestCapture)
        return fail(io.err, "\"" + path + "\" is too large for a capture", kFailed);
    file.seekg(0);
    chairlink::Bytes bytes;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    const chairlink::CaptureReading capture = chairlink::readCapture(bytes, handles);
    if (capture.refused) return fail(io.err, path + ": " + *capture.refused, kFailed);

    LogRouting logs(io.err, read.isSet("verbose"));
    LineOutput out(io.out);
    std::string stamp;  // of the value being replayed
    std::atomic<int> rejects = 0;
    ScriptedLink link(
        // The chair's queue, while notify() waits.
        [&rejects](const chairlink::Bytes& bytes) {
            if (std::ranges::equal(bytes, chairlink::kRejectFrame)) ++rejects;
        },
        [&](const chairlink::Bytes& frame) {
            out.line(stamp + " chair: " + describeStatusFrame(frame));
        });
    if (!link.connected()) return fail(io.err, "the receive path did not come up", kFailed);

    const std::int64_t start = capture.values.empty() ? 0 : capture.values.front().micros;
    std::size_t updateOffset = 0;
    for (const chairlink::CapturedValue& v : capture.values) {
        stamp = base::format("%9.3f", double(v.micros - start) / 1e6);
        if (v.way == chairlink::CapturedValue::Way::Written) {
            const std::string line = describeWrite(v.value, updateOffset);
            if (line != "acknowledge" && line != "reject") out.line(stamp + " sent " + line);
            continue;
        }
        const int before = rejects.load();
        link.notify(v.value);
        if (rejects.load() != before)
            out.line(stamp +
                     " chair: checksum wrong, rejected: " + chairlink::upperHexPairs(v.value));
    }
    for (const std::string& problem : capture.problems) io.err << path << ": " << problem << '\n';
    if (capture.values.empty())
        return fail(io.err, path + ": no values on the chair's characteristics", kFailed);
    return capture.problems.empty() ? 0 : kFailed;
}

}  // namespace chairctl
