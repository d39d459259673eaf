#include "link/ReadBuffer.h"

namespace chairlink {

namespace {
// Taken bytes are only skipped; the front is dropped once it outweighs what is left, so a
// take costs the bytes it returns and not the bytes behind them.
constexpr std::size_t kCompactFrom = 4096;
}  // namespace

void ReadBuffer::append(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    size_.store(bytes_.size() - head_);
}

std::size_t ReadBuffer::size() const {
    return size_.load();
}

std::optional<Bytes> ReadBuffer::take(std::size_t n) {
    std::lock_guard lock(mutex_);
    if (bytes_.size() - head_ < n) return std::nullopt;
    const auto from = bytes_.begin() + static_cast<std::ptrdiff_t>(head_);
    Bytes front(from, from + static_cast<std::ptrdiff_t>(n));
    advanceLocked(n);
    return front;
}

bool ReadBuffer::drop(std::size_t n) {
    std::lock_guard lock(mutex_);
    if (bytes_.size() - head_ < n) return false;
    advanceLocked(n);
    return true;
}

void ReadBuffer::advanceLocked(std::size_t n) {
    head_ += n;
    if (head_ == bytes_.size()) {
        bytes_.clear();
        head_ = 0;
    } else if (head_ >= kCompactFrom && head_ >= bytes_.size() - head_) {
        bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(head_));
        head_ = 0;
    }
    size_.store(bytes_.size() - head_);
}

std::optional<Bytes> ReadBuffer::peek(std::size_t n) const {
    std::lock_guard lock(mutex_);
    if (bytes_.size() - head_ < n) return std::nullopt;
    const auto from = bytes_.begin() + static_cast<std::ptrdiff_t>(head_);
    return Bytes(from, from + static_cast<std::ptrdiff_t>(n));
}

}  // namespace chairlink
