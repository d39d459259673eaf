#pragma once

#include <memory>
#include <vector>

#include "base/Dispatch.h"
#include "base/ManualClock.h"
#include "base/NotificationCenter.h"
#include "base/PumpedMainThread.h"
#include "chair/StandInChair.h"
#include "link/CommandFrames.h"
#include "link/LinkStack.h"

namespace chairtest {

using chairlink::Bytes;

inline Bytes frame(std::initializer_list<int> bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

inline const Bytes kLinkUp = frame({0xAA, 0x55, 0x01, 0x31, 0x32, 0x0D, 0x0A});
inline const Bytes kLinkCheck = frame({0xAA, 0x55, 0x01, 0xB1, 0xB2, 0x0D, 0x0A});
inline const Bytes kReject(chairlink::kRejectFrame.begin(), chairlink::kRejectFrame.end());
inline const std::vector<int> kFullStatus = {0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7};

// A manual clock, pumped main thread and queues with a stand-in chair; optionally the link
// stack connected to it, recording every decoded frame.
struct ChairRig {
    explicit ChairRig(chair::StandInOptions options = {}) {
        clock.setSettle([this] { dispatch.settle(); });
        chair = chair::StandInChair::create(dispatch, clock, std::move(options));
    }
    ~ChairRig() {
        dispatch.settle();
        link.reset();
        dispatch.settle();
    }

    void startController() {
        link = std::make_unique<chairlink::LinkStack>(
            chairlink::LinkEnvironment{dispatch, clock, notifications, chair->centralFactory()},
            [this](const Bytes& frame) { decoded.push_back(frame); });
        controller = &link->controller();
        clock.runDue();
    }

    // Sends one command the way a panel does and lets the chair answer.
    void send(std::int32_t code) {
        controller->sendCode(code);
        clock.runDue();
    }

    // The type byte of each decoded frame, oldest first.
    std::vector<int> decodedTypes() const {
        std::vector<int> out;
        for (const auto& f : decoded) out.push_back(f.at(2));
        return out;
    }

    base::PumpedMainThread main;
    base::Dispatch dispatch{main};
    base::ManualClock clock;
    base::NotificationCenter notifications;
    std::shared_ptr<chair::StandInChair> chair;
    std::unique_ptr<chairlink::LinkStack> link;
    chairlink::EADSessionController* controller = nullptr;
    std::vector<Bytes> decoded;  // main thread
};

}  // namespace chairtest
