// The status decoder alone on any chunk, and on whole frames built from the input's first
// bytes. Checked on every input: nothing reads outside the chunk (the sanitizers watch), the
// kind follows the type byte, every field reads its own byte, and range and meaning agree.
#include <algorithm>
#include <span>

#include "FuzzCheck.h"
#include "link/StatusFrames.h"
#include "link/StatusReport.h"

namespace {

using chairlink::StatusKind;

void checkReport(std::span<const std::uint8_t> chunk) {
    const chairlink::StatusReport r = chairlink::decodeStatus(chunk);
    fuzz::check(r.length == chunk.size(), "the length is not the chunk's");
    if (chunk.size() <= chairlink::kTypeIndex) {
        fuzz::check(r.kind == StatusKind::NotAFrame, "a typeless chunk got a kind");
        return;
    }
    fuzz::check(r.type == chunk[chairlink::kTypeIndex], "the type is not byte 2");
    if (chunk.size() > chairlink::kLongestDecodedChunk) {
        fuzz::check(r.kind == StatusKind::TooLong, "an overlong chunk was decoded");
        return;
    }
    fuzz::check(r.kind == chairlink::statusKindOfType(r.type), "the kind is not the type's");
    const std::size_t carried = chunk.size() == chairlink::kLongFrameLength    ? 4
                                : chunk.size() == chairlink::kShortFrameLength ? 1
                                                                               : 0;
    bool allInRange = true;
    for (std::size_t i = 0; i < r.data.size(); ++i) {
        const auto& f = r.data[i];
        const std::size_t at = chairlink::kValueIndex + i;
        fuzz::check(f.value == (at < chunk.size() ? chunk[at] : 0), "a field read another byte");
        fuzz::check(f.carried == (i < carried), "a field carried by the wrong length");
        fuzz::check(f.meaning.empty() || (f.used() && f.inRange), "a meaning out of range");
        fuzz::check(f.used() || f.inRange, "an unused byte out of range");
        if (r.kind == StatusKind::Unknown) fuzz::check(!f.used(), "an unknown type uses a byte");
        allInRange = allInRange && (!f.used() || !f.carried || f.inRange);
    }
    fuzz::check(r.inRange() == allInRange, "the report's range disagrees with its fields");
    fuzz::check(!r.answersLinkCheck() || r.d1() == chairlink::kLinkCheckEcho,
                "a link check answered without its echo");
    fuzz::check(!r.updateSucceeded() || r.d1() == chairlink::kUpdateSucceeded,
                "an update succeeded without its code");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkReport(std::span(data, size));
    // The same bytes as the type and data of whole frames, as the drain hands them on.
    std::uint8_t b[5] = {};
    std::copy_n(data, std::min(size, std::size(b)), b);
    checkReport(chairlink::makeShortStatusFrame(b[0], b[1]));
    checkReport(chairlink::makeLongStatusFrame(b[0], b[1], b[2], b[3], b[4]));
    return 0;
}
