#include "chair/UpdateReceiver.h"

namespace chair {

UpdateReceiver::UpdateReceiver(ChairTimers& timers, const double& gap, Confirm confirm)
    : timers_(timers), gap_(gap), confirm_(std::move(confirm)) {}

void UpdateReceiver::piece(const Bytes& bytes) {
    bytes_ += bytes.size();
    ++pieces_;
    if (gapTimer_) timers_.cancel(*gapTimer_);
    gapTimer_ = timers_.after(gap_, [this] { gapPassed(); });
}

void UpdateReceiver::gapPassed() {
    gapTimer_.reset();
    std::size_t bytes = bytes_;
    std::size_t pieces = pieces_;
    bytes_ = 0;
    pieces_ = 0;
    ++completed_;
    confirm_(bytes, pieces);
}

}  // namespace chair
