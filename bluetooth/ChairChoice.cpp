#include "bluetooth/ChairChoice.h"

#include "base/Log.h"

namespace bluetooth {

namespace {

constexpr std::string_view kOption = "--chair";

ChairSelection bluetoothChair(const ChairSources& sources) {
    return {sources.bluetooth(), "Bluetooth", false};
}

ChairSelection standInChair(const ChairSources& sources) {
    return {sources.standIn(), "stand-in chair", true};
}

}  // namespace

std::optional<ChairKind> chairKindFromName(std::string_view name) {
    if (name == "auto") return ChairKind::Auto;
    if (name == "bluetooth") return ChairKind::Bluetooth;
    if (name == "simulated") return ChairKind::Simulated;
    return std::nullopt;
}

ChairKind chairKindFromArguments(const std::vector<std::string>& arguments) {
    std::optional<std::string_view> value;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (argument == kOption) {
            if (i + 1 == arguments.size()) {
                base::log("--chair needs auto, bluetooth or simulated; using auto");
                return ChairKind::Auto;
            }
            value = arguments[++i];
        } else if (argument.starts_with(kOption) &&
                   argument.substr(kOption.size()).starts_with('=')) {
            value = argument.substr(kOption.size() + 1);
        }
    }
    if (!value) return ChairKind::Auto;
    if (auto kind = chairKindFromName(*value)) return *kind;
    base::log("Unknown --chair " + std::string(*value) + "; using auto (auto|bluetooth|simulated)");
    return ChairKind::Auto;
}

ChairSelection chooseChair(ChairKind kind, const ChairSources& sources) {
    const bool canStandIn = static_cast<bool>(sources.standIn);
    if (kind == ChairKind::Simulated && canStandIn) {
        base::log("Chair: stand-in chair");
        return standInChair(sources);
    }
    if (kind == ChairKind::Simulated) {
        base::log("Chair: no stand-in chair in this build; using Bluetooth");
        return bluetoothChair(sources);
    }
    const bool adapter = sources.adapterPresent && sources.adapterPresent();
    if (kind == ChairKind::Bluetooth) {
        base::log(adapter ? "Chair: Bluetooth"
                          : "Chair: Bluetooth, but no Bluetooth adapter was found; the chair "
                            "cannot be reached until one is");
        return bluetoothChair(sources);
    }
    if (adapter) {
        base::log("Chair: Bluetooth (a local adapter is present)");
        return bluetoothChair(sources);
    }
    if (!canStandIn) {
        base::log("Chair: Bluetooth, though no Bluetooth adapter was found (no stand-in chair)");
        return bluetoothChair(sources);
    }
    base::log("Chair: stand-in chair (no Bluetooth adapter found)");
    return standInChair(sources);
}

}  // namespace bluetooth
