#pragma once

#include <cstdint>
#include <memory>

#include "base/Dispatch.h"
#include "base/Log.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "base/PumpedMainThread.h"
#include "chair/StandInChair.h"
#include "link/LinkStack.h"

namespace bench {

// The link as the app wires it (session controller, drain, decoder hand-off to the main
// thread) against a stand-in chair, on a manual clock and a pumped main thread, so a
// benchmark decides when work runs and no timer fires by itself. A quiet chair only takes
// writes; a behaving one also answers them (an update's confirmation, say).
struct LinkRig {
    explicit LinkRig(bool quietChair = true) {
        // The log line per notification is still formatted; only its printing is left out.
        base::setLogSink([](const std::string&) {});
        clock.setSettle([this] { dispatch.settle(); });
        chair = chair::StandInChair::create(dispatch, clock, {.quiet = quietChair});
        link = std::make_unique<chairlink::LinkStack>(
            chairlink::LinkEnvironment{dispatch, clock, notifications, chair->centralFactory()},
            [this](const chairlink::Bytes&) { ++decoded; });
        controller = &link->controller();
        // Connecting takes a few advertising intervals on the chair's clock.
        for (int i = 0; i < 100 && !controller->isConnected(); ++i) clock.advance(0.25);
    }

    ~LinkRig() {
        dispatch.settle();
        link.reset();
        dispatch.settle();
        base::setLogSink(nullptr);
    }

    base::PumpedMainThread main;
    base::Dispatch dispatch{main};
    base::ManualClock clock;
    base::NotificationCenter notifications;
    std::shared_ptr<chair::StandInChair> chair;
    std::unique_ptr<chairlink::LinkStack> link;
    chairlink::EADSessionController* controller = nullptr;
    std::uint64_t decoded = 0;  // main thread
};

}  // namespace bench
