#include "link/StatusFrames.h"

#include <algorithm>
#include <numeric>

namespace chairlink {

namespace {

// Where each frame length carries its trailer.
constexpr std::size_t kShortTrailerIndex = 5;
constexpr std::size_t kLongTrailerIndex = 8;
// The long frame's checksum covers the type and its four data bytes.
constexpr std::size_t kLongSummedEnd = 7;

bool hasTrailerAt(std::span<const std::uint8_t> bytes, std::size_t index) {
    return bytes[index] == kTrailerFirst && bytes[index + 1] == kTrailerSecond;
}

bool hasHeaderAt(std::span<const std::uint8_t> bytes, std::size_t index) {
    return index + 1 < bytes.size() && bytes[index] == kHeaderFirst &&
           bytes[index + 1] == kHeaderSecond;
}

FramePiece judge(std::span<const std::uint8_t> frame) {
    if (isStopFrame(frame)) return {PieceKind::Stop, frame};
    bool passes =
        frame.size() == kShortFrameLength ? passesShortChecksum(frame) : passesLongChecksum(frame);
    return {passes ? PieceKind::Accepted : PieceKind::BadChecksum, frame};
}

}  // namespace

bool passesShortChecksum(std::span<const std::uint8_t> frame) {
    if (frame.size() != kShortFrameLength) return false;
    unsigned sum = unsigned{frame[kTypeIndex]} + unsigned{frame[kValueIndex]};
    return sum == frame[kShortChecksumIndex];
}

bool passesLongChecksum(std::span<const std::uint8_t> frame) {
    if (frame.size() != kLongFrameLength) return false;
    unsigned sum = std::accumulate(frame.begin() + kTypeIndex, frame.begin() + kLongSummedEnd, 0u);
    unsigned check = frame[kLongChecksumIndex];
    return sum == check || sum == check + kLongChecksumCarry;
}

bool isStopFrame(std::span<const std::uint8_t> frame) {
    return frame.size() == kShortFrameLength &&
           std::equal(frame.begin(), frame.end(), std::begin(kStopFrame));
}

Bytes makeShortStatusFrame(std::uint8_t type, std::uint8_t d1) {
    return {kHeaderFirst,  kHeaderSecond, type, d1, static_cast<std::uint8_t>((type + d1) & 0xFF),
            kTrailerFirst, kTrailerSecond};
}

Bytes makeLongStatusFrame(std::uint8_t type, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                          std::uint8_t d4) {
    unsigned sum = unsigned{type} + d1 + d2 + d3 + d4;
    return {
        kHeaderFirst,  kHeaderSecond, type, d1, d2, d3, d4, static_cast<std::uint8_t>(sum & 0xFF),
        kTrailerFirst, kTrailerSecond};
}

FrameCut cutStatusFrames(std::span<const std::uint8_t> bytes) {
    FrameCut cut;
    cut.consumed =
        forEachStatusPiece(bytes, [&cut](const FramePiece& piece) { cut.pieces.push_back(piece); });
    return cut;
}

std::size_t detail::cutStatusPieces(std::span<const std::uint8_t> bytes, PieceCallback callback,
                                    void* context) {
    std::size_t at = 0;         // next byte to look at
    std::size_t noiseFrom = 0;  // start of the noise run not yet reported
    const auto noiseUpTo = [&](std::size_t to) {
        if (noiseFrom != to)
            callback(context, {PieceKind::Noise, bytes.subspan(noiseFrom, to - noiseFrom)});
    };
    while (at < bytes.size()) {
        if (bytes[at] != kHeaderFirst) {
            ++at;
            continue;
        }
        if (at + 1 == bytes.size()) break;  // a lone AA may start the next header
        if (!hasHeaderAt(bytes, at)) {
            ++at;
            continue;
        }
        std::size_t left = bytes.size() - at;
        std::size_t length = 0;
        if (left >= kShortFrameLength && hasTrailerAt(bytes, at + kShortTrailerIndex)) {
            length = kShortFrameLength;
        } else if (left >= kLongFrameLength && hasTrailerAt(bytes, at + kLongTrailerIndex)) {
            length = kLongFrameLength;
        } else if (left >= kLongFrameLength) {
            ++at;  // a header without a frame behind it: noise up to the next header
            continue;
        } else {
            break;  // the end of this frame has not arrived yet
        }
        noiseUpTo(at);
        const FramePiece piece = judge(bytes.subspan(at, length));
        callback(context, piece);
        at += length;
        noiseFrom = at;
        if (piece.kind == PieceKind::Stop) return at;
    }
    // Noise that ran to the end (or up to an unfinished frame) is dropped as well.
    noiseUpTo(at);
    return at;
}

}  // namespace chairlink
