#include "base/ManualClock.h"

#include <algorithm>

namespace base {

double ManualClock::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

Clock::TimerId ManualClock::callAfter(double delay, Task task) {
    std::lock_guard lock(mutex_);
    TimerId id = nextId_++;
    pending_.emplace(std::make_pair(now_ + std::max(0.0, delay), id), std::move(task));
    return id;
}

void ManualClock::cancel(TimerId id) {
    std::lock_guard lock(mutex_);
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
        if (it->first.second == id) {
            pending_.erase(it);
            return;
        }
    }
}

void ManualClock::setSettle(std::function<void()> settle) {
    std::lock_guard lock(mutex_);
    settle_ = std::move(settle);
}

void ManualClock::settle() {
    std::function<void()> hook;
    {
        std::lock_guard lock(mutex_);
        hook = settle_;
    }
    if (hook) hook();
}

bool ManualClock::fireNextDueBy(double limit) {
    Task task;
    {
        std::lock_guard lock(mutex_);
        // A nanosecond of slack keeps sums such as 0.1 + 0.2 from missing a call due "at" the
        // limit.
        if (pending_.empty() || pending_.begin()->first.first > limit + 1e-9) return false;
        auto it = pending_.begin();
        now_ = std::max(now_, it->first.first);
        task = std::move(it->second);
        pending_.erase(it);
    }
    task();
    return true;
}

void ManualClock::advance(double seconds) {
    double target;
    {
        std::lock_guard lock(mutex_);
        target = now_ + std::max(0.0, seconds);
    }
    settle();
    while (fireNextDueBy(target)) settle();
    std::lock_guard lock(mutex_);
    now_ = target;
}

std::size_t ManualClock::pendingCount() const {
    std::lock_guard lock(mutex_);
    return pending_.size();
}

std::optional<double> ManualClock::nextDue() const {
    std::lock_guard lock(mutex_);
    if (pending_.empty()) return std::nullopt;
    return pending_.begin()->first.first;
}

}  // namespace base
