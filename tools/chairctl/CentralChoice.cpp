#include "tools/chairctl/CentralChoice.h"

#include "bluetooth/ChairChoice.h"
#include "bluetooth/QtChairSources.h"
#include "chair/StandInChair.h"

namespace chairctl {

ChosenCentral chooseCentral(const std::string& kind, base::Dispatch& dispatch, base::Clock& clock,
                            std::string& error) {
    auto chosen = bluetooth::chairKindFromName(kind);
    if (!chosen) {
        error = "unknown chair '" + kind + "' (choose one of: " + kCentralKinds + ")";
        return {};
    }
    // The stand-in is built only when chosen, and lives as long as the central.
    auto standIn = std::make_shared<std::shared_ptr<chair::StandInChair>>();
    auto sources = bluetooth::qtChairSources(clock, [&dispatch, &clock, standIn] {
        *standIn = chair::StandInChair::create(dispatch, clock);
        return (*standIn)->centralFactory();
    });
    return {bluetooth::chooseChair(*chosen, sources).centralFactory, standIn};
}

}  // namespace chairctl
