#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/BleCentral.h"

namespace bluetooth {

// Which chair the app and chairctl talk to: `--chair auto|bluetooth|simulated`.
enum class ChairKind { Auto, Bluetooth, Simulated };

std::optional<ChairKind> chairKindFromName(std::string_view name);

struct ChairSelection {
    chairlink::BleCentralFactory centralFactory;
    std::string description;  // "Bluetooth" or "stand-in chair"
    bool isDemo = false;      // the stand-in: the window title carries " (demo chair)"
};

// Where the centrals come from; each is asked for only when chosen.
struct ChairSources {
    std::function<chairlink::BleCentralFactory()> bluetooth;
    std::function<chairlink::BleCentralFactory()> standIn;
    std::function<bool()> adapterPresent;
};

// Auto takes Bluetooth when a local adapter is present and the stand-in otherwise, and says
// which in one log line. Bluetooth without an adapter is one log line too: the app keeps
// running with a central that reports Bluetooth off, so the link simply never comes up.
ChairSelection chooseChair(ChairKind kind, const ChairSources& sources);

}  // namespace bluetooth
