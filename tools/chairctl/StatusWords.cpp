#include "tools/chairctl/StatusWords.h"

#include <string>

#include "base/Log.h"
#include "link/Hex.h"
#include "link/StatusReport.h"

namespace chairctl {

namespace {

std::string unknownType(const chairlink::StatusReport& report, const chairlink::Bytes& frame) {
    return base::format("unknown type 0x%02X: ", report.type) + chairlink::upperHexPairs(frame);
}

}  // namespace

std::string describeStatusFrame(const chairlink::Bytes& frame) {
    using chairlink::StatusKind;
    const chairlink::StatusReport report = chairlink::decodeStatus(frame);
    switch (report.kind) {
        case StatusKind::NotAFrame:
            return "not a status frame: " + chairlink::upperHexPairs(frame);
        case StatusKind::Unknown:
            return unknownType(report, frame);
        case StatusKind::TooLong:
            // Never decoded, so named by its type alone.
            if (chairlink::statusKindOfType(report.type) == StatusKind::Unknown)
                return unknownType(report, frame);
            return std::string(chairlink::statusKindName(chairlink::statusKindOfType(report.type)));
        default:
            break;
    }
    std::string line(chairlink::statusKindName(report.kind));
    // The echo and the update result have one value worth a word; others show as a code.
    const bool oneWord =
        report.kind == StatusKind::CommandEcho || report.kind == StatusKind::UpdateResult;
    const chairlink::StatusField& first = report.data[0];
    if (oneWord && first.carried && !first.meaning.empty())
        return line + " " + std::string(first.meaning);
    for (const chairlink::StatusField& field : report.data) {
        if (!field.used() || !field.carried) continue;
        line += " " + std::string(field.name) + "=" + std::to_string(field.value);
        if (!field.meaning.empty()) line += " (" + std::string(field.meaning) + ")";
    }
    return line;
}

}  // namespace chairctl
