#include "tools/chairctl/CentralChoice.h"

#include "chair/StandInChair.h"

namespace chairctl {

ChosenCentral chooseCentral(const std::string& kind, base::Dispatch& dispatch, base::Clock& clock,
                            std::string& error) {
    if (kind == "simulated") {
        auto chair = chair::StandInChair::create(dispatch, clock);
        return {chair->centralFactory(), chair};
    }
    if (kind == "bluetooth") {
        error = "--chair bluetooth is not available in this build yet";
        return {};
    }
    error = "unknown chair '" + kind + "' (choose one of: " + kCentralKinds + ")";
    return {};
}

}  // namespace chairctl
