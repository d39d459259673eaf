#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>

#include "link/FrameFormat.h"

namespace chairlink {

// How far an update file has gone out to the chair.
struct UploadProgress {
    enum class Stage {
        Sending,  // pieces are going out
        Sent,     // the central has taken the last piece
        Stopped,  // the link was lost first; nothing is retried
        Failed,   // the central refused a piece, or the link's writes are too short for one
    };
    Stage stage = Stage::Sending;
    std::size_t bytesSent = 0;
    std::size_t totalBytes = 0;
    std::size_t piecesSent = 0;
    std::size_t totalPieces = 0;
    // Why a failed upload failed, in the words of its log line; empty otherwise.
    std::string failure{};

    // Whole percent of the bytes taken; an empty file counts as complete.
    int percent() const {
        return totalBytes == 0 ? 100 : static_cast<int>(bytesSent * 100 / totalBytes);
    }
};

// Told how an upload goes; main thread.
class UploadListener {
public:
    virtual ~UploadListener() = default;
    virtual void uploadProgressed(const UploadProgress& progress) = 0;
};

enum class UploadStart {
    Started,
    NotConnected,  // nothing was sent
    Busy,          // another file is still going out; this one was not started
};

// At most this many pieces are handed to the central and not yet taken: enough to keep the
// radio busy while the central confirms the ones before (two fences' worth on Qt), few
// enough that a lost link or a stop leaves little queued below the app (9,588 bytes).
inline constexpr std::size_t kUpdatePiecesInFlight = 94;

// The largest update file the app reads and sends.
inline constexpr std::size_t kLargestUpdateFile = 16 * 1024 * 1024;

// An update file is cut into pieces of kUpdatePieceSize; the last one holds the remainder
// and an empty file has none.
inline std::size_t updatePieceCount(std::size_t length) {
    return (length + kUpdatePieceSize - 1) / kUpdatePieceSize;
}

inline Bytes updatePiece(const Bytes& data, std::size_t index) {
    const std::size_t from = index * kUpdatePieceSize;
    if (from >= data.size()) return {};
    const std::size_t to = std::min(data.size(), from + kUpdatePieceSize);
    return Bytes(data.begin() + static_cast<std::ptrdiff_t>(from),
                 data.begin() + static_cast<std::ptrdiff_t>(to));
}

}  // namespace chairlink
