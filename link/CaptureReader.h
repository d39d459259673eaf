#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/FrameFormat.h"

namespace chairlink {

// One value on the chair's characteristics in a capture.
struct CapturedValue {
    enum class Way { Written, Notified };
    Way way = Way::Written;
    std::size_t record = 0;   // the btsnoop record that completed it, from 1
    std::int64_t micros = 0;  // the record's time
    Bytes value;
};

struct CaptureReading {
    // Why the file was not read at all (not a btsnoop capture of HCI packets).
    std::optional<std::string> refused;
    // One line for each damaged record, in file order.
    std::vector<std::string> problems;
    std::vector<CapturedValue> values;
    // How the chair's handles were found: "discovery", "frames" or "option".
    std::string handlesFoundBy;
};

// Handles given by the user, for a capture that neither discovers them nor shows a frame.
struct ChairHandles {
    std::optional<std::uint16_t> notify;
    std::optional<std::uint16_t> write;
};

// Reads a btsnoop capture of HCI packets (ours, or a phone's HCI snoop log) and picks out
// the values written to and notified by the chair. The chair's handles come from `given`,
// else from the capture's GATT discovery (FFE1 and FFE2), else from the first values that
// look like its frames; values of other handles and devices are left out. Any bytes are safe.
CaptureReading readCapture(std::span<const std::uint8_t> file, const ChairHandles& given = {});

}  // namespace chairlink
