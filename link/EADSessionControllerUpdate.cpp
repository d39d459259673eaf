// Update files: written raw to the chair in pieces, paced by the central, with progress
// reported on the main thread.
#include <algorithm>

#include "base/Log.h"
#include "link/EADSessionController.h"

namespace chairlink {

namespace {
// The hex text of a file is logged up to this many bytes; a whole large file would make one
// log line of three times its size.
constexpr std::size_t kLoggedUpdateBytes = 1024;
}  // namespace

struct EADSessionController::Upload {
    Bytes data;
    std::weak_ptr<BLESocketClientImpl> client;
    std::weak_ptr<UploadListener> listener;
    double startedAt = 0;
    std::size_t totalPieces = 0;
    std::size_t piecesWritten = 0;  // handed to the client; taken ones included
    UploadProgress progress;        // counts only what the central has taken
    int reportedPercent = -1;
    // Held while a piece is cut and handed over, so pieces handed from two threads (the
    // starter's and the client's queue) reach the central in order.
    std::mutex sending;
};

UploadStart EADSessionController::update(const Bytes& bytes,
                                         std::weak_ptr<UploadListener> listener) {
    auto client = bleSocketClient();
    if (!client || client->state() != kSocketConnected) return UploadStart::NotConnected;
    auto upload = std::make_shared<Upload>();
    {
        std::lock_guard lock(uploadMutex_);
        if (upload_) {
            base::log("update: a file is still being sent; the new one is not started");
            return UploadStart::Busy;
        }
        upload->data = bytes;
        upload->client = client;
        upload->listener = std::move(listener);
        upload->startedAt = env_.clock.now();
        upload->totalPieces = updatePieceCount(bytes.size());
        upload->progress.totalBytes = bytes.size();
        upload->progress.totalPieces = upload->totalPieces;
        upload_ = upload;
    }
    sendMessageBy102(upload);
    const std::size_t logged = std::min(bytes.size(), kLoggedUpdateBytes);
    std::string hex = hexStringFromNSData(
        Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(logged)));
    if (logged < bytes.size()) hex += base::format("... (%zu bytes in all)", bytes.size());
    base::log("send: " + hex);
    return UploadStart::Started;
}

bool EADSessionController::uploading() const {
    std::lock_guard lock(uploadMutex_);
    return upload_ != nullptr;
}

void EADSessionController::sendMessageBy102(const std::shared_ptr<Upload>& upload) {
    const std::size_t length = upload->data.size();
    base::log(base::format("file length: %lu", static_cast<unsigned long>(length)));
    base::log(base::format("update: sending %zu bytes in %zu pieces", length, upload->totalPieces));
    if (upload->totalPieces == 0) {
        // Nothing to write: the file is sent as soon as it is started.
        pieceTaken(upload, std::nullopt);
        return;
    }
    // Where the link tells how long a write may be, a file it cannot carry is not begun.
    const std::size_t largest = std::min(length, kUpdatePieceSize);
    auto client = upload->client.lock();
    const auto carried = client ? client->maximumWriteLength() : std::nullopt;
    if (carried && *carried < largest) {
        failUpload(upload, base::format("the link carries %zu bytes per write, a piece needs %zu",
                                        *carried, largest));
        return;
    }
    writePieces(upload);
}

// Any thread: first the caller's, then the client's queue as pieces are taken. Hands pieces
// over until kUpdatePiecesInFlight are out and not yet taken.
void EADSessionController::writePieces(const std::shared_ptr<Upload>& upload) {
    auto client = upload->client.lock();
    if (!client) return;  // the client went with its link; stopUpload has ended the upload
    std::lock_guard sending(upload->sending);
    std::weak_ptr<Upload> weak = upload;
    for (;;) {
        Bytes piece;
        {
            std::lock_guard lock(uploadMutex_);
            if (upload_ != upload || upload->piecesWritten >= upload->totalPieces ||
                upload->piecesWritten - upload->progress.piecesSent >= kUpdatePiecesInFlight)
                return;
            piece = updatePiece(upload->data, upload->piecesWritten++);
        }
        client->send(piece, [this, weak](const ErrorText& refusal) {
            if (auto running = weak.lock()) pieceTaken(running, refusal);
        });
    }
}

// Client queue (or the caller's thread for an empty file).
void EADSessionController::pieceTaken(const std::shared_ptr<Upload>& upload,
                                      const ErrorText& refusal) {
    if (refusal) {
        failUpload(upload, "the link refused a piece (" + *refusal + ")");
        return;
    }
    UploadProgress progress;
    bool report;
    {
        std::lock_guard lock(uploadMutex_);
        if (upload_ != upload) return;
        UploadProgress& p = upload->progress;
        if (p.piecesSent < upload->totalPieces) {
            p.bytesSent = std::min(p.totalBytes, (p.piecesSent + 1) * kUpdatePieceSize);
            ++p.piecesSent;
        }
        if (p.piecesSent == upload->totalPieces) {
            p.stage = UploadProgress::Stage::Sent;
            upload_.reset();
        }
        // One report per whole percent keeps the main thread's work small for large files.
        report =
            p.stage != UploadProgress::Stage::Sending || p.percent() != upload->reportedPercent;
        if (report) upload->reportedPercent = p.percent();
        progress = p;
    }
    if (progress.stage == UploadProgress::Stage::Sent) {
        const double seconds = env_.clock.now() - upload->startedAt;
        if (seconds > 0) {
            base::log(base::format("update: sent %zu bytes in %zu pieces in %.3f s (%.1f KiB/s)",
                                   progress.bytesSent, progress.piecesSent, seconds,
                                   double(progress.bytesSent) / 1024.0 / seconds));
        } else {
            base::log(base::format("update: sent %zu bytes in %zu pieces (no clock time passed)",
                                   progress.bytesSent, progress.piecesSent));
        }
    }
    if (report) reportUpload(*upload, progress);
    if (progress.stage == UploadProgress::Stage::Sending) writePieces(upload);
}

void EADSessionController::failUpload(const std::shared_ptr<Upload>& upload,
                                      const std::string& why) {
    UploadProgress progress;
    {
        std::lock_guard lock(uploadMutex_);
        if (upload_ != upload) return;  // ended already; pieces still queued are refused too
        upload_.reset();
        upload->progress.stage = UploadProgress::Stage::Failed;
        upload->progress.failure = why;
        progress = upload->progress;
    }
    base::log(base::format("update: failed after %zu of %zu bytes: %s", progress.bytesSent,
                           progress.totalBytes, why.c_str()));
    reportUpload(*upload, progress);
}

void EADSessionController::stopUpload(const BLESocketClientImpl* client) {
    std::shared_ptr<Upload> stopped;
    {
        std::lock_guard lock(uploadMutex_);
        if (!upload_) return;
        auto target = upload_->client.lock();
        if (client && target && target.get() != client) return;
        stopped = std::move(upload_);
        stopped->progress.stage = UploadProgress::Stage::Stopped;
    }
    base::log(base::format("update: stopped, the link was lost after %zu of %zu bytes",
                           stopped->progress.bytesSent, stopped->progress.totalBytes));
    reportUpload(*stopped, stopped->progress);
}

void EADSessionController::reportUpload(const Upload& upload, const UploadProgress& progress) {
    // Main thread.
    env_.dispatch.main().post([listener = upload.listener, progress] {
        if (auto shown = listener.lock()) shown->uploadProgressed(progress);
    });
}

}  // namespace chairlink
