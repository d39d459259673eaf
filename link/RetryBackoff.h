#pragma once

#include <algorithm>

namespace chairlink {

// The wait before the next connection attempt: 1 s after the first failed attempt, doubling
// while attempts keep failing, never above 30 s; a good link starts over.
class RetryBackoff {
public:
    static constexpr double kFirstWaitSeconds = 1.0;
    static constexpr double kLongestWaitSeconds = 30.0;

    // The wait for this failure; the next one waits twice as long.
    double nextWait() {
        double wait = next_;
        next_ = std::min(next_ * 2, kLongestWaitSeconds);
        return wait;
    }
    void reset() { next_ = kFirstWaitSeconds; }
    double peek() const { return next_; }

private:
    double next_ = kFirstWaitSeconds;
};

}  // namespace chairlink
