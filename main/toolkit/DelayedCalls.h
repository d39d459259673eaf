#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/Clock.h"

namespace tk {

// One-shot delayed calls on the main loop, identified by target and operation so that
// every pending call of one operation on one target can be cancelled at once (the
// perform-after-delay / cancel-previous-requests pair). Main thread only.
class DelayedCalls {
public:
    explicit DelayedCalls(base::Clock& clock);
    ~DelayedCalls();
    DelayedCalls(const DelayedCalls&) = delete;
    DelayedCalls& operator=(const DelayedCalls&) = delete;

    // Runs `call` once after `delay` seconds unless cancelled first.
    void performAfterDelay(const void* target, const std::string& operation, double delay,
                           std::function<void()> call);
    // Drops every pending call of `operation` on `target`; others stay.
    void cancelPrevious(const void* target, const std::string& operation);
    // Drops every pending call on `target`, whatever the operation (for a target going away).
    void cancelAll(const void* target);

    std::size_t pendingCount(const void* target, const std::string& operation) const;

private:
    using Key = std::pair<const void*, std::string>;

    // Main thread, from the clock.
    void fired(const Key& key, base::Clock::TimerId id);

    base::Clock& clock_;
    std::map<Key, std::vector<base::Clock::TimerId>> pending_;
};

}  // namespace tk
