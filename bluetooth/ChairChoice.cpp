#include "bluetooth/ChairChoice.h"

#include "base/Log.h"

namespace bluetooth {

namespace {

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
