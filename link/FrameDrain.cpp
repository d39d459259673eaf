#include "link/FrameDrain.h"

#include <atomic>

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
        if (!shared->stopped) run(*shared);
    });
}

void FrameDrain::run(Shared& shared) {
    drainBuffered(shared.controller, [&shared](Bytes frame) {
        // Main thread: the decoder alone touches the screen.
        shared.main.post([decoder = shared.decoder, frame = std::move(frame)] {
            if (decoder) decoder(frame);
        });
    });
}

}  // namespace chairlink
