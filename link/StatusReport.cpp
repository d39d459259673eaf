#include "link/StatusReport.h"

#include <algorithm>

#include "link/StatusFrames.h"

namespace chairlink {

namespace {

using Names = std::span<const std::string_view>;

constexpr std::string_view kModes[] = {
    "off", "measuring shoulders", "measuring shoulders", "adjusting position", "running", "paused"};
// The chair's numbering: 4 is full air pressure, 5 waist twist.
constexpr std::string_view kProgrammes[] = {
    "none",          "comfort", "relax",    "ache relief", "full air pressure", "waist twist",
    "waist stretch", "music",   "memory 1", "memory 2",    "memory 3"};
// The chair reports "fixed" as 0 or 5.
constexpr std::string_view kRanges[] = {"fixed",      "full back", "upper back",
                                        "lower back", "partial",   "fixed"};
constexpr std::string_view kTechniques[] = {
    "none",    "knead",          "flap",       "flap",       "knead and flap", "shiatsu",
    "shiatsu", "shoulder grasp", "3D massage", "3D massage", "3D massage",     "3D massage"};
constexpr std::string_view kZones[] = {"none", "lower body", "waist to hip", "legs"};
constexpr std::string_view kLinkCheckAnswered[] = {"link check answered"};
constexpr std::string_view kSucceeded[] = {"succeeded"};

// A field's values in range run from `first` to `last`; `names` names them from `first` on.
struct FieldRule {
    std::string_view name;
    std::uint8_t first = 0;
    std::uint8_t last = 0xFF;
    Names names = {};
};
using KindRules = std::array<FieldRule, 4>;

// Each kind with its type byte and its fields; the top values follow the pictures the panels
// have for each field.
struct KindEntry {
    StatusKind kind;
    std::uint8_t type;
    std::string_view name;
    KindRules rules;
};
constexpr KindEntry kKinds[] = {
    {StatusKind::RunningState,
     kRunningStateType,
     "running state",
     {{{"mode", 0, 5, kModes}, {"minutes", 0, 45}, {"position", 0, 11}, {"intensity", 0, 5}}}},
    // D2 to D4 are kept with the programme but mean nothing to the remote.
    {StatusKind::AutoProgramme,
     kAutoProgrammeType,
     "automatic programme",
     {{{"programme", 0, 10, kProgrammes}}}},
    {StatusKind::ManualMassage,
     kManualMassageType,
     "manual massage",
     {{{"range", 0, 5, kRanges},
       {"technique", 0, 11, kTechniques},
       {"speed", 0, 5},
       {"width", 0, 5}}}},
    {StatusKind::AirPressure,
     kAirPressureType,
     "air pressure",
     {{{"arm", 0, 3}, {"zone", 0, 3, kZones}, {"level", 0, 3}, {"traction", 0, 1}}}},
    {StatusKind::OtherFunctions,
     kOtherFunctionsType,
     "other functions",
     {{{"rollers", 0, 3}, {}, {"heat", 0, 1}}}},
    {StatusKind::QuickKey, kQuickKeyType, "quick key", {{{"auto", 0, 3}}}},
    {StatusKind::Service, kServiceType, "service", {{{"start", 0, 1}, {"item", 0, 3}}}},
    {StatusKind::CommandEcho,
     kCommandEchoType,
     "command echo",
     {{{"code", kLinkCheckEcho, kLinkCheckEcho, kLinkCheckAnswered}}}},
    {StatusKind::UpdateResult,
     kUpdateResultType,
     "update result",
     {{{"code", kUpdateSucceeded, kUpdateSucceeded, kSucceeded}}}},
};

const KindRules& rulesFor(StatusKind kind) {
    static const KindRules kNoRules{};
    for (const KindEntry& entry : kKinds)
        if (entry.kind == kind) return entry.rules;
    return kNoRules;
}

StatusField judge(const FieldRule& rule, std::uint8_t value, bool carried) {
    StatusField field;
    field.name = rule.name;
    field.value = value;
    field.carried = carried;
    if (!field.used()) return field;
    field.inRange = value >= rule.first && value <= rule.last;
    const std::size_t index = value - rule.first;
    if (field.inRange && index < rule.names.size()) field.meaning = rule.names[index];
    return field;
}

}  // namespace

std::string_view statusKindName(StatusKind kind) {
    for (const KindEntry& entry : kKinds)
        if (entry.kind == kind) return entry.name;
    return "unknown";
}

StatusKind statusKindOfType(std::uint8_t type) {
    for (const KindEntry& entry : kKinds)
        if (entry.type == type) return entry.kind;
    return StatusKind::Unknown;
}

bool StatusReport::inRange() const {
    return std::all_of(data.begin(), data.end(),
                       [](const StatusField& f) { return !f.used() || !f.carried || f.inRange; });
}

bool StatusReport::answersLinkCheck() const {
    return (kind == StatusKind::CommandEcho || kind == StatusKind::Service) &&
           d1() == kLinkCheckEcho;
}

bool StatusReport::updateSucceeded() const {
    return kind == StatusKind::UpdateResult && d1() == kUpdateSucceeded;
}

StatusReport decodeStatus(std::span<const std::uint8_t> chunk) {
    StatusReport report;
    report.length = chunk.size();
    if (chunk.size() <= kTypeIndex) return report;
    report.type = chunk[kTypeIndex];
    if (chunk.size() > kLongestDecodedChunk) {
        report.kind = StatusKind::TooLong;
        return report;
    }
    report.kind = statusKindOfType(report.type);
    // Only whole frames carry data: a short one D1, a long one D1 to D4.
    const std::size_t carried = chunk.size() == kLongFrameLength    ? 4
                                : chunk.size() == kShortFrameLength ? 1
                                                                    : 0;
    const KindRules& rules = rulesFor(report.kind);
    for (std::size_t i = 0; i < report.data.size(); ++i) {
        const std::size_t at = kValueIndex + i;
        const std::uint8_t value = at < chunk.size() ? chunk[at] : 0;
        report.data[i] = judge(rules[i], value, i < carried);
    }
    return report;
}

}  // namespace chairlink
