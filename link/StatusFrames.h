#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "link/FrameFormat.h"

namespace chairlink {

// Status frame types sent by the chair.
inline constexpr std::uint8_t kRunningStateType = 0xF1;
inline constexpr std::uint8_t kAutoProgrammeType = 0xF2;
inline constexpr std::uint8_t kManualMassageType = 0xF3;
inline constexpr std::uint8_t kAirPressureType = 0xF4;
inline constexpr std::uint8_t kOtherFunctionsType = 0xF5;
inline constexpr std::uint8_t kQuickKeyType = 0xF6;
inline constexpr std::uint8_t kServiceType = 0xF7;
inline constexpr std::uint8_t kUpdateResultType = 0xA5;
inline constexpr std::uint8_t kCommandEchoType = 0x01;

inline constexpr std::uint8_t kUpdateSucceeded = 0x5A;
inline constexpr std::uint8_t kLinkCheckEcho = 0xB1;

// Short frame: byte 4 must equal byte 2 + byte 3 exactly (no reduction).
inline constexpr std::size_t kShortChecksumIndex = 4;
// Long frame: byte 7 against the sum of bytes 2 to 6, allowing one carry into bit 8.
inline constexpr std::size_t kLongChecksumIndex = 7;
inline constexpr unsigned kLongChecksumCarry = 256;

// A frame that is exactly this ends the drain unanswered.
inline constexpr std::uint8_t kStopFrame[kShortFrameLength] = {0xAA, 0x55, 0xC0, 0x0C,
                                                               0xCC, 0x0D, 0x0A};

// The checksum rules; false for a span of the wrong length.
bool passesShortChecksum(std::span<const std::uint8_t> frame);
bool passesLongChecksum(std::span<const std::uint8_t> frame);
bool isStopFrame(std::span<const std::uint8_t> frame);

// Frames as the chair sends them, with the checksum byte filled in. A sum the receiver
// cannot accept (short: above 255; long: 512 or more) still gets its low 8 bits.
Bytes makeShortStatusFrame(std::uint8_t type, std::uint8_t d1);
Bytes makeLongStatusFrame(std::uint8_t type, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                          std::uint8_t d4);

enum class PieceKind {
    Accepted,     // a complete frame that passed its checksum: acknowledge and decode
    BadChecksum,  // a complete frame that failed: reject and drop
    Stop,         // the stop frame: drop silently and end this drain
    Noise,        // bytes that are no frame: drop with a log line, unanswered
};

// A piece views the bytes that were cut: it is valid while they are.
struct FramePiece {
    PieceKind kind;
    std::span<const std::uint8_t> bytes;
};

struct FrameCut {
    std::vector<FramePiece> pieces;  // in stream order
    std::size_t consumed = 0;        // leading bytes covered by `pieces`; the rest stays buffered
};

// Cuts buffered bytes into frames. A frame starts at AA 55 and is short when its bytes 5-6
// are 0D 0A, else long when its bytes 8-9 are 0D 0A; a header that has neither after ten
// bytes is noise. An unfinished frame (or a lone AA) at the end is left unconsumed, and so
// is everything after a stop frame.
FrameCut cutStatusFrames(std::span<const std::uint8_t> buffered);

namespace detail {
using PieceCallback = void (*)(void* context, const FramePiece& piece);
std::size_t cutStatusPieces(std::span<const std::uint8_t> buffered, PieceCallback callback,
                            void* context);
}  // namespace detail

// The same cut, handing each piece to `visit` as it is found instead of gathering them, so a
// drain run allocates nothing for it; returns the bytes consumed.
template <class Visit>
std::size_t forEachStatusPiece(std::span<const std::uint8_t> buffered, Visit&& visit) {
    const auto call = [](void* context, const FramePiece& piece) {
        (*static_cast<std::remove_reference_t<Visit>*>(context))(piece);
    };
    return detail::cutStatusPieces(buffered, call, &visit);
}

}  // namespace chairlink
