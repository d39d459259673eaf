#include <functional>
#include <ostream>

#include "link/CommandFrames.h"
#include "link/Hex.h"
#include "tools/chairctl/Arguments.h"
#include "tools/chairctl/Commands.h"

namespace chairctl {

namespace {

constexpr const char* kFrameHelp =
    "usage: chairctl frame CODE [FIELD=VALUE ...]\n"
    "Prints the 7-byte frame built for command code CODE (decimal, negative decimal or\n"
    "0x-hex) after setting the named chair-state fields, e.g. handSpeed=3.\n"
    "Fields: uppperIntensity handSpeed handWidth armPressureIntensity\n"
    "lowerPressureIntensity footRollerSpeed massageMode lowerPressureStatus (0..255);\n"
    "powerStatus isPaused armPressureStatus footStretchStatus otherFootRollerStatus\n"
    "otherBackHeartStatus (0 or 1); theTimes (any 64-bit number).\n";

using chairlink::ChairState;

struct FieldSetter {
    const char* name;
    std::int64_t min;
    std::int64_t max;
    std::function<void(ChairState&, std::int64_t)> set;
};

template <typename T>
FieldSetter setter(const char* name, T ChairState::*field, std::int64_t min, std::int64_t max) {
    return {name, min, max,
            [field](ChairState& s, std::int64_t v) { s.*field = static_cast<T>(v); }};
}

const std::vector<FieldSetter>& fieldSetters() {
    static const std::vector<FieldSetter> setters = {
        setter("uppperIntensity", &ChairState::uppperIntensity, 0, 255),
        setter("handSpeed", &ChairState::handSpeed, 0, 255),
        setter("handWidth", &ChairState::handWidth, 0, 255),
        setter("armPressureIntensity", &ChairState::armPressureIntensity, 0, 255),
        setter("lowerPressureIntensity", &ChairState::lowerPressureIntensity, 0, 255),
        setter("footRollerSpeed", &ChairState::footRollerSpeed, 0, 255),
        setter("massageMode", &ChairState::massageMode, 0, 255),
        setter("lowerPressureStatus", &ChairState::lowerPressureStatus, 0, 255),
        setter("powerStatus", &ChairState::powerStatus, 0, 1),
        setter("isPaused", &ChairState::isPaused, 0, 1),
        setter("armPressureStatus", &ChairState::armPressureStatus, 0, 1),
        setter("footStretchStatus", &ChairState::footStretchStatus, 0, 1),
        setter("otherFootRollerStatus", &ChairState::otherFootRollerStatus, 0, 1),
        setter("otherBackHeartStatus", &ChairState::otherBackHeartStatus, 0, 1),
        setter("theTimes", &ChairState::theTimes, INT64_MIN, INT64_MAX),
    };
    return setters;
}

// Applies one FIELD=VALUE; on failure returns the error line.
std::optional<std::string> applyField(ChairState& state, const std::string& assignment) {
    auto equals = assignment.find('=');
    if (equals == std::string::npos) return "expected FIELD=VALUE, got '" + assignment + "'";
    std::string name = assignment.substr(0, equals);
    std::string text = assignment.substr(equals + 1);
    for (const auto& field : fieldSetters()) {
        if (name != field.name) continue;
        auto value = parseNumber(text, field.min, field.max);
        if (!value) {
            return "bad value '" + text + "' for " + name + " (allowed " +
                   std::to_string(field.min) + ".." + std::to_string(field.max) + ")";
        }
        field.set(state, *value);
        return std::nullopt;
    }
    return "unknown field '" + name + "' (see chairctl frame --help)";
}

}  // namespace

int runFrame(std::vector<std::string> words, Streams io) {
    const CommandArguments read = readCommandArguments(words, {});
    if (read.help) {
        io.out << kFrameHelp;
        return 0;
    }
    if (read.error) return fail(io.err, *read.error, kUsage);
    const std::vector<std::string>& args = read.positional;
    if (args.empty())
        return fail(io.err, "frame needs a command code (see chairctl frame --help)", kUsage);
    auto code = parseCode(args[0]);
    if (!code) return fail(io.err, "bad command code '" + args[0] + "'", kUsage);
    ChairState state;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (auto error = applyField(state, args[i])) return fail(io.err, *error, kUsage);
    }
    auto frame = chairlink::buildCommandFrame(*code, state);
    io.out << chairlink::upperHexPairs(chairlink::Bytes(frame.begin(), frame.end())) << '\n';
    return 0;
}

}  // namespace chairctl
