// The capture reader on any file, and on a well-formed capture built from the input. Checked:
// nothing reads outside the file (the sanitizers watch), a refused file yields nothing, every
// value comes from a record that exists, and values written into a capture read back whole.
#include <span>

#include "FuzzCheck.h"
#include "link/AttPackets.h"
#include "link/Btsnoop.h"
#include "link/CaptureReader.h"

namespace {

using namespace chairlink;

void checkAnyFile(std::span<const std::uint8_t> file, const ChairHandles& handles) {
    const CaptureReading r = readCapture(file, handles);
    if (r.refused) {
        fuzz::check(r.values.empty() && r.problems.empty(), "a refused file gave values");
        return;
    }
    const std::size_t records = btsnoop::read(file).records.size();
    std::size_t carried = 0;
    for (const CapturedValue& v : r.values) {
        fuzz::check(v.record >= 1 && v.record <= records, "a value from no record");
        carried += v.value.size();
    }
    fuzz::check(carried <= file.size(), "the values hold more than the file");
}

// The input cut into values at each byte 0x0A, written alternately to the chair and notified
// by it, each in a record of its own: they must come back in order, unchanged.
void checkRoundTrip(std::span<const std::uint8_t> input) {
    std::vector<Bytes> values(1);
    for (std::uint8_t byte : input) {
        values.back().push_back(byte);
        if (byte == kTrailerSecond) values.emplace_back();
    }
    Bytes file = btsnoop::fileHeader(btsnoop::kDatalinkH4);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const bool notified = i % 2 == 1;
        const Bytes pdu =
            att::handleValuePdu(notified ? att::kHandleValueNotification : att::kWriteCommand,
                                notified ? 7 : 9, values[i]);
        const Bytes record = btsnoop::record(att::aclPacket(0x0041, pdu),
                                             notified ? btsnoop::kFlagReceived : 0, 1000 + i);
        file.insert(file.end(), record.begin(), record.end());
    }
    const CaptureReading r = readCapture(file, {.notify = 7, .write = 9});
    fuzz::check(!r.refused && r.problems.empty(), "a capture we wrote was found damaged");
    fuzz::check(r.values.size() == values.size(), "a value went missing");
    for (std::size_t i = 0; i < values.size() && i < r.values.size(); ++i) {
        fuzz::check(r.values[i].value == values[i], "a value came back changed");
        fuzz::check((r.values[i].way == CapturedValue::Way::Notified) == (i % 2 == 1),
                    "a value came back the wrong way");
        fuzz::check(r.values[i].micros == std::int64_t(1000 + i), "a value lost its time");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    checkAnyFile(input, {});
    // The first bytes as handles given by the user, in case they meet the file's.
    if (size >= 2) checkAnyFile(input, {.notify = data[0], .write = data[1]});
    if (size <= 4096) checkRoundTrip(input);
    return 0;
}
