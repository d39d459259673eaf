#pragma once

#include <optional>

#include "base/Log.h"
#include "link/CommandFrames.h"
#include "link/Hex.h"
#include "link/StatusFrames.h"

namespace chairlink {

// The drain's decisions over whatever holds the received bytes: takes every complete frame,
// answers it (acknowledge or reject) and hands each accepted one to `accept`, in order; an
// unfinished frame, and anything after a stop frame, stays buffered for the next run.
// `Source` offers readBytesAvailable, peekData, discardData and sendCode as the session
// controller does; a template so the receive path can be exercised without a link.
template <class Source, class Accept>
void drainBuffered(Source& source, Accept&& accept) {
    for (;;) {
        const std::size_t available = source.readBytesAvailable();
        if (available == 0) return;
        std::optional<Bytes> buffered = source.peekData(available);
        if (!buffered) return;
        // Pieces are answered as they are cut; the bytes are discarded after the run.
        bool stopped = false;
        const std::size_t consumed = forEachStatusPiece(*buffered, [&](const FramePiece& piece) {
            switch (piece.kind) {
                case PieceKind::Stop:
                    stopped = true;
                    break;
                case PieceKind::Noise:
                    base::log("Dropped bytes that are no status frame: " +
                              upperHexPairs(piece.bytes));
                    break;
                case PieceKind::BadChecksum:
                    base::log("Status frame failed its checksum: " + upperHexPairs(piece.bytes));
                    source.sendCode(kRejectCode);
                    break;
                case PieceKind::Accepted:
                    source.sendCode(kAcknowledgeCode);
                    accept(Bytes(piece.bytes.begin(), piece.bytes.end()));
                    break;
            }
        });
        if (consumed == 0) return;  // only the start of a frame so far
        if (!source.discardData(consumed)) {
            // Only the drain takes bytes out; anything else is a wiring fault.
            base::log("The received bytes were taken by someone else; drain stopped");
            return;
        }
        if (stopped) return;
    }
}

}  // namespace chairlink
