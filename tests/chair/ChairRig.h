#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/Dispatch.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "base/PumpedMainThread.h"
#include "chair/StandInChair.h"
#include "link/EADSessionController.h"
#include "link/FrameDrain.h"

namespace chairtest {

using chairlink::Bytes;

// A manual clock, pumped main thread and queues with a stand-in chair; optionally the real
// session controller and drain connected to it, recording every decoded frame.
struct ChairRig {
    explicit ChairRig(chair::StandInOptions options = {}) {
        clock.setSettle([this] { dispatch.settle(); });
        chair = chair::StandInChair::create(dispatch, clock, std::move(options));
    }

    ~ChairRig() {
        dispatch.settle();
        received.reset();
        drain.reset();
        controller.reset();
        dispatch.settle();
    }

    // `centrals` stands between the clients and the chair's centrals when given.
    void startController(chairlink::BleCentralFactory centrals = {}) {
        if (!centrals) centrals = chair->centralFactory();
        controller = std::make_unique<chairlink::EADSessionController>(
            chairlink::LinkEnvironment{dispatch, clock, notifications, std::move(centrals)});
        drain = std::make_unique<chairlink::FrameDrain>(
            *controller, dispatch, [this](const Bytes& frame) { decoded.push_back(frame); });
        received = base::ObserverRegistration(
            notifications,
            notifications.addObserver(chairlink::kDataReceivedNotification, nullptr,
                                      [this](const base::Notification&) { drain->start(); }));
        clock.runDue();
    }

    // Sends one command the way a panel does and lets the chair answer.
    void send(std::int32_t code) {
        controller->sendCode(code);
        clock.runDue();
    }

    // Decoded frames of one type, oldest first.
    std::vector<Bytes> decodedOfType(std::uint8_t type) const {
        std::vector<Bytes> frames;
        for (const auto& f : decoded) {
            if (f.size() > 2 && f[2] == type) frames.push_back(f);
        }
        return frames;
    }

    base::PumpedMainThread main;
    base::Dispatch dispatch{main};
    base::ManualClock clock;
    base::NotificationCenter notifications;
    std::shared_ptr<chair::StandInChair> chair;
    std::unique_ptr<chairlink::EADSessionController> controller;
    std::unique_ptr<chairlink::FrameDrain> drain;
    base::ObserverRegistration received;
    std::vector<Bytes> decoded;  // main thread
};

inline Bytes frame(std::initializer_list<int> bytes) {
    Bytes out;
    for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

}  // namespace chairtest
