// The receive path on arbitrary bytes cut into arbitrary notifications: the read buffer and
// the drain's decisions (acknowledge, reject, hand on). Checked on every input:
// - the decisions are the same as with all bytes in one notification;
// - every frame handed on is a whole frame that passes its checksum;
// - read as a list of frames and noise, each frame comes out exactly once, in order, and is
//   answered as its checksum says.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "base/Log.h"
#include "link/DrainLoop.h"
#include "link/ReadBuffer.h"

namespace {

using chairlink::Bytes;

constexpr std::size_t kMostCuts = 16;
constexpr std::size_t kLongestCut = 24;

// What the session controller offers the drain: the buffer, and the answers it writes.
struct BufferedLink {
    chairlink::ReadBuffer buffer;
    std::vector<std::int32_t> answers;
    std::vector<Bytes> handedOn;

    std::size_t readBytesAvailable() const { return buffer.size(); }
    std::optional<Bytes> peekData(std::size_t n) const { return buffer.peek(n); }
    bool discardData(std::size_t n) { return buffer.drop(n); }
    void sendCode(std::int32_t code) { answers.push_back(code); }

    // One announcement: the value arrives, one drain runs.
    void notify(std::span<const std::uint8_t> value) {
        buffer.append(value);
        chairlink::drainBuffered(*this,
                                 [this](Bytes frame) { handedOn.push_back(std::move(frame)); });
    }
    // Further announcements until one takes nothing (a stop frame leaves the rest waiting).
    void drainToRest() {
        for (std::size_t before = buffer.size() + 1; buffer.size() != before;) {
            before = buffer.size();
            notify({});
        }
    }
    Bytes left() const { return buffer.peek(buffer.size()).value_or(Bytes{}); }
};

void feed(BufferedLink& link, const Bytes& stream, const std::vector<std::size_t>& cuts) {
    std::size_t at = 0;
    for (std::size_t i = 0; at < stream.size(); ++i) {
        const std::size_t length =
            cuts.empty() ? stream.size() : std::min(cuts[i % cuts.size()], stream.size() - at);
        link.notify(std::span(stream).subspan(at, length));
        at += length;
    }
    link.drainToRest();
}

bool wellFormed(const Bytes& frame) {
    const std::size_t n = frame.size();
    if (n != chairlink::kShortFrameLength && n != chairlink::kLongFrameLength) return false;
    if (frame[0] != 0xAA || frame[1] != 0x55 || frame[n - 2] != 0x0D || frame[n - 1] != 0x0A)
        return false;
    unsigned sum = 0;
    for (std::size_t i = 2; i < n - 3; ++i) sum += frame[i];
    // Short frames: the plain sum; long ones may carry once into bit 8.
    const unsigned check = frame[n - 3];
    return n == chairlink::kShortFrameLength ? sum == check : sum == check || sum == check + 256;
}

// Reads the input as noise (never a header byte) and frames, some with a hit checksum, and
// says what the drain must decide for them.
struct Composed {
    Bytes stream;
    std::vector<Bytes> accepted;
    std::vector<std::int32_t> answers;
};

Composed compose(fuzz::InputReader input) {
    Composed out;
    std::uint8_t op = 0;
    while (input.next(op)) {
        if (op % 4 == 0) {
            for (int n = 1 + (op >> 2) % 4; n > 0; --n) {
                std::uint8_t byte = 0;
                if (!input.next(byte)) return out;
                out.stream.push_back(byte == 0xAA ? 0x00 : byte);
            }
            continue;
        }
        const bool isShort = op % 4 == 1;
        Bytes fields(isShort ? 2 : 5);
        for (auto& field : fields)
            if (!input.next(field)) return out;
        Bytes frame = isShort ? chairlink::makeShortStatusFrame(fields[0], fields[1])
                              : chairlink::makeLongStatusFrame(fields[0], fields[1], fields[2],
                                                               fields[3], fields[4]);
        if (chairlink::isStopFrame(frame)) continue;
        // A long frame whose D3 D4 read 0D 0A looks short to any reader; not one to build.
        if (!isShort && frame[5] == 0x0D && frame[6] == 0x0A) continue;
        unsigned sum = 0;
        for (std::uint8_t field : fields) sum += field;
        bool passes = isShort ? sum <= 0xFF : sum < 2 * 256;
        if (op & 0x80) {
            frame[frame.size() - 3] ^= 0x01;
            passes = false;
        }
        out.stream.insert(out.stream.end(), frame.begin(), frame.end());
        out.answers.push_back(passes ? chairlink::kAcknowledgeCode : chairlink::kRejectCode);
        if (passes) out.accepted.push_back(frame);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        base::setLogSink([](const std::string&) {});
        return true;
    }();
    (void)quiet;
    fuzz::InputReader input(data, size);
    std::uint8_t count = 0;
    input.next(count);
    std::vector<std::size_t> cuts;
    for (std::uint8_t cut = 0; cuts.size() < count % kMostCuts && input.next(cut);)
        cuts.push_back(1 + cut % kLongestCut);
    const Bytes stream(input.rest(), input.rest() + input.restSize());

    BufferedLink whole, cutUp;
    feed(whole, stream, {});
    feed(cutUp, stream, cuts);
    fuzz::check(cutUp.handedOn == whole.handedOn, "frames depend on the cutting");
    fuzz::check(cutUp.answers == whole.answers, "answers depend on the cutting");
    fuzz::check(cutUp.left() == whole.left(), "what stays buffered depends on the cutting");
    fuzz::check(whole.left().size() < chairlink::kLongFrameLength, "a whole frame stayed buffered");
    for (const Bytes& frame : whole.handedOn)
        fuzz::check(wellFormed(frame), "a bad frame handed on");

    const Composed composed = compose(input);
    BufferedLink received;
    feed(received, composed.stream, cuts);
    fuzz::check(received.handedOn == composed.accepted, "a frame lost, doubled or reordered");
    fuzz::check(received.answers == composed.answers, "a frame answered wrongly");
    fuzz::check(received.left().empty(), "bytes of whole frames stayed buffered");
    return 0;
}
