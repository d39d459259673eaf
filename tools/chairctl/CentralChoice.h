#pragma once

#include <memory>
#include <string>

#include "base/Clock.h"
#include "base/Dispatch.h"
#include "link/BleCentral.h"

namespace chairctl {

// The BLE central that chairctl connects through, and whatever must live as long as it.
struct ChosenCentral {
    chairlink::BleCentralFactory factory;
    std::shared_ptr<void> keepAlive;
};

// The kinds that --chair accepts, for the help texts.
inline constexpr const char* kCentralKinds = "auto, bluetooth, simulated";
inline constexpr const char* kDefaultCentral = "auto";

// Makes the central of the given kind on the given queues and clock. The one place that
// knows the kinds: a new one (the Qt Bluetooth central) is added here. On failure returns
// no factory and sets `error` to one line.
ChosenCentral chooseCentral(const std::string& kind, base::Dispatch& dispatch, base::Clock& clock,
                            std::string& error);

}  // namespace chairctl
