#include "link/FrameDrain.h"

#include <atomic>

#include "base/Log.h"
#include "link/CommandFrames.h"
#include "link/EADSessionController.h"
#include "link/Hex.h"
#include "link/StatusFrames.h"

namespace chairlink {

struct FrameDrain::Shared {
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

// Takes whatever is buffered, answers and hands on every complete frame, and leaves an
// unfinished one (and anything after a stop frame) for the next announcement.
void FrameDrain::run(Shared& shared) {
    EADSessionController& controller = shared.controller;
    for (;;) {
        std::size_t available = controller.readBytesAvailable();
        if (available == 0) return;
        std::optional<Bytes> buffered = controller.peekData(available);
        if (!buffered) return;
        FrameCut cut = cutStatusFrames(*buffered);
        if (cut.consumed == 0) return;  // only the start of a frame so far
        if (!controller.readData(cut.consumed)) {
            // Only this drain takes bytes out; anything else is a wiring fault.
            base::log("The received bytes were taken by someone else; drain stopped");
            return;
        }
        for (FramePiece& piece : cut.pieces) {
            switch (piece.kind) {
                case PieceKind::Stop:
                    return;
                case PieceKind::Noise:
                    base::log("Dropped bytes that are no status frame: " +
                              upperHexPairs(piece.bytes));
                    break;
                case PieceKind::BadChecksum:
                    base::log("Status frame failed its checksum: " + upperHexPairs(piece.bytes));
                    controller.sendCode(kRejectCode);
                    break;
                case PieceKind::Accepted:
                    controller.sendCode(kAcknowledgeCode);
                    // Main thread: the decoder alone touches the screen.
                    shared.main.post([decoder = shared.decoder, frame = std::move(piece.bytes)] {
                        if (decoder) decoder(frame);
                    });
                    break;
            }
        }
    }
}

}  // namespace chairlink
