#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>

#include "link/FrameFormat.h"

namespace chairlink {

// How far an update file has gone out to the chair.
struct UploadProgress {
    enum class Stage {
        Sending,  // pieces are going out
        Sent,     // the central has taken the last piece
        Stopped,  // the link was lost first; nothing is retried
    };
    Stage stage = Stage::Sending;
    std::size_t bytesSent = 0;
    std::size_t totalBytes = 0;
    std::size_t piecesSent = 0;
    std::size_t totalPieces = 0;

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
