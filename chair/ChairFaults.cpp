#include "chair/ChairFaults.h"

namespace chair {

std::vector<Bytes> shapeNotifications(std::vector<Bytes> frames, ChairFaults& faults) {
    for (auto& frame : frames) {
        if (faults.corruptChecksums <= 0) break;
        frame = withBrokenChecksum(std::move(frame));
        --faults.corruptChecksums;
    }
    std::vector<Bytes> values;
    if (faults.joinFrames) {
        for (std::size_t i = 0; i < frames.size(); i += 2) {
            Bytes joined = frames[i];
            if (i + 1 < frames.size()) {
                joined.insert(joined.end(), frames[i + 1].begin(), frames[i + 1].end());
            }
            values.push_back(std::move(joined));
        }
    } else {
        values = std::move(frames);
    }
    if (!faults.splitFrames) return values;
    std::vector<Bytes> halves;
    for (const auto& value : values) {
        auto middle = value.begin() + static_cast<std::ptrdiff_t>(value.size() / 2);
        if (value.size() < 2) {
            halves.push_back(value);
            continue;
        }
        halves.emplace_back(value.begin(), middle);
        halves.emplace_back(middle, value.end());
    }
    return halves;
}

}  // namespace chair
