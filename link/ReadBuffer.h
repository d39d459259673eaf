#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <span>

#include "link/FrameFormat.h"

namespace chairlink {

// Bytes received from the chair and not yet taken, guarded by its own lock. Any thread.
class ReadBuffer {
public:
    void append(std::span<const std::uint8_t> bytes);
    // A hint: another thread may take or add bytes right after.
    std::size_t size() const;
    // The first n bytes, removed as one step; nothing (and nothing removed) if fewer are there.
    std::optional<Bytes> take(std::size_t n);
    // The first n bytes removed unread, for a reader that has already peeked at them; false
    // (and nothing removed) if fewer are there.
    bool drop(std::size_t n);
    // The first n bytes left in place; nothing if fewer are there.
    std::optional<Bytes> peek(std::size_t n) const;

private:
    void advanceLocked(std::size_t n);

    mutable std::mutex mutex_;
    Bytes bytes_;
    std::size_t head_ = 0;  // bytes_ before this index are taken
    std::atomic<std::size_t> size_{0};
};

}  // namespace chairlink
