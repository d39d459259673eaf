#include "link/FrameDrain.h"

#include <atomic>
#include <vector>

#include "link/DrainLoop.h"
#include "link/EADSessionController.h"

namespace chairlink {

struct FrameDrain::Shared {
    Shared(EADSessionController& c, base::MainThread& m, Decoder d)
        : controller(c), main(m), decoder(std::move(d)) {}
    EADSessionController& controller;
    base::MainThread& main;
    Decoder decoder;
    std::atomic<bool> stopped{false};
};

FrameDrain::FrameDrain(EADSessionController& controller, base::Dispatch& dispatch, Decoder decoder)
    : shared_(std::make_shared<Shared>(controller, dispatch.main(), std::move(decoder))),
      queue_(dispatch.makeSerialQueue(kQueueLabel)) {}

FrameDrain::~FrameDrain() {
    shared_->stopped = true;
    queue_->waitUntilIdle();
}

void FrameDrain::start() {
    // Drain queue: one run at a time, in the order the announcements came.
    queue_->async([shared = shared_] {
        if (!shared->stopped) run(shared);
    });
}

void FrameDrain::run(const std::shared_ptr<Shared>& shared) {
    std::vector<Bytes> frames;
    drainBuffered(shared->controller,
                  [&frames](Bytes frame) { frames.push_back(std::move(frame)); });
    if (frames.empty()) return;
    // Main thread: the decoder alone touches the screen. One hop carries the whole run; the
    // main queue keeps runs in order, so frames are still decoded as they arrived.
    shared->main.post([shared, frames = std::move(frames)] {
        if (!shared->decoder) return;
        for (const Bytes& frame : frames) shared->decoder(frame);
    });
}

}  // namespace chairlink
