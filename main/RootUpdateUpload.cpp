// Sending the chosen update file from the service panel, its progress, and the wait for the
// chair's confirmation.
#include "link/EADSessionController.h"
#include "link/UpdateUpload.h"
#include "main/RootViewController.h"
#include "main/StatusDecoder.h"
#include "main/ViewTags.h"
#include "main/toolkit/DelayedCalls.h"
#include "main/toolkit/Runtime.h"
#include "service/ServiecesView.h"
#include "service/UploadProgressView.h"

namespace mainscreen {

namespace {
constexpr std::int64_t kUpdateSentHint = 16;
constexpr std::int64_t kNoConfirmationHint = 17;
constexpr std::int64_t kUpdateFailedHint = 24;
constexpr double kConfirmationWait = 5.0;

// Main thread: the link reports here, and the controller it names outlives the listener.
class UploadWatcher final : public chairlink::UploadListener {
public:
    explicit UploadWatcher(RootViewController& root) : root_(root) {}
    void uploadProgressed(const chairlink::UploadProgress& progress) override {
        root_.uploadProgressed(progress);
    }

private:
    RootViewController& root_;
};
}  // namespace

void RootViewController::startUpdate() {
    auto* panel = viewWithTag<service::ServiecesView>(kServicePanelTag);
    if (!panel) return;
    const QByteArray& file = panel->updateData();
    chairlink::UploadStart start = chairlink::UploadStart::NotConnected;
    if (sessionController_) {
        if (!uploadListener_) uploadListener_ = std::make_shared<UploadWatcher>(*this);
        start =
            sessionController_->update(chairlink::Bytes(file.begin(), file.end()), uploadListener_);
    }
    // One upload at a time: the press that would start a second does nothing.
    if (start == chairlink::UploadStart::Busy) return;
    if (start == chairlink::UploadStart::Started) {
        panel->uploadProgress()->setProgress(0, std::size_t(file.size()));
        return;  // "sent" and the wait come once the link has taken the last piece
    }
    changeHintLabel(kUpdateSentHint, languageFlag_);
    // Nothing could be sent, so nothing will confirm it.
    env_.runtime.delayedCalls().performAfterDelay(this, kUpdateResultCall, kConfirmationWait,
                                                  [this] { updateResult(); });
}

void RootViewController::uploadProgressed(const chairlink::UploadProgress& progress) {
    if (auto* panel = viewWithTag<service::ServiecesView>(kServicePanelTag)) {
        panel->uploadProgress()->setProgress(progress.bytesSent, progress.totalBytes);
    }
    switch (progress.stage) {
        case chairlink::UploadProgress::Stage::Sending:
            return;
        case chairlink::UploadProgress::Stage::Sent:
            changeHintLabel(kUpdateSentHint, languageFlag_);
            env_.runtime.delayedCalls().performAfterDelay(
                this, kUpdateResultCall, kConfirmationWait, [this] { updateResult(); });
            return;
        case chairlink::UploadProgress::Stage::Stopped:
            // The link went before the file was out; the chair cannot confirm it.
            updateResult();
            return;
        case chairlink::UploadProgress::Stage::Failed:
            // Refused below the app: say so at once instead of waiting for a confirmation.
            changeHintLabel(kUpdateFailedHint, languageFlag_);
            return;
    }
}

void RootViewController::updateResult() {
    changeHintLabel(kNoConfirmationHint, languageFlag_);
}

}  // namespace mainscreen
