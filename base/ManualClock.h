#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "base/Clock.h"

namespace base {

// A clock that moves only when told to. advance() fires every call that falls due, in time
// order (calls due at the same moment in the order they were made), on the calling thread,
// which is the main thread. Before each step it lets the settle hook finish all work handed
// to other threads, so what runs is the same on every run.
class ManualClock final : public Clock {
public:
    double now() const override;
    TimerId callAfter(double delay, Task task) override;
    void cancel(TimerId id) override;

    void advance(double seconds);
    // Fires what is due at the current time without moving it.
    void runDue() { advance(0); }

    // Waits for other threads' work and pumps the main thread (see Dispatch::settle).
    void setSettle(std::function<void()> settle);

    std::size_t pendingCount() const;
    std::optional<double> nextDue() const;

private:
    void settle();
    bool fireNextDueBy(double limit);

    mutable std::mutex mutex_;
    double now_ = 0;
    TimerId nextId_ = 1;
    // Keyed by (due time, id): ids grow, so equal times keep the order of scheduling.
    std::map<std::pair<double, TimerId>, Task> pending_;
    std::function<void()> settle_;
};

}  // namespace base
