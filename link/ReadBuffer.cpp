#include "link/ReadBuffer.h"

namespace chairlink {

void ReadBuffer::append(const Bytes& bytes) {
    std::lock_guard lock(mutex_);
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    size_.store(bytes_.size());
}

std::size_t ReadBuffer::size() const {
    return size_.load();
}

std::optional<Bytes> ReadBuffer::take(std::size_t n) {
    std::lock_guard lock(mutex_);
    if (bytes_.size() < n) return std::nullopt;
    Bytes front(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(n));
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(n));
    size_.store(bytes_.size());
    return front;
}

std::optional<Bytes> ReadBuffer::peek(std::size_t n) const {
    std::lock_guard lock(mutex_);
    if (bytes_.size() < n) return std::nullopt;
    return Bytes(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(n));
}

}  // namespace chairlink
