#pragma once

#include <functional>
#include <limits>
#include <optional>

#include "base/Clock.h"

namespace tk {

// A repeating timer on the main thread that is never invalidated, only paused and resumed
// through its fire date: the distant future pauses it, the distant past (or any date not
// later than now) fires it as soon as the loop comes round and then every interval.
class RepeatingTimer {
public:
    static constexpr double kDistantPast = -std::numeric_limits<double>::infinity();
    static constexpr double kDistantFuture = std::numeric_limits<double>::infinity();

    // Scheduled like a fresh platform timer: the first tick falls one interval from now.
    // A non-positive or non-finite interval is treated as a millisecond so it cannot spin.
    RepeatingTimer(base::Clock& clock, double interval, std::function<void()> tick);
    ~RepeatingTimer();
    RepeatingTimer(const RepeatingTimer&) = delete;
    RepeatingTimer& operator=(const RepeatingTimer&) = delete;

    // The next tick, in seconds from now: kDistantFuture pauses, kDistantPast or anything
    // not positive ticks at once, a finite positive value ticks after that delay. Ticks after
    // that follow every interval.
    void setFireDateFromNow(double secondsFromNow);
    void pause() { setFireDateFromNow(kDistantFuture); }
    void fireNowAndRepeat() { setFireDateFromNow(kDistantPast); }

    bool isPaused() const { return !pending_; }
    double interval() const { return interval_; }
    // Clock time of the next tick; nullopt while paused.
    std::optional<double> nextFireTime() const { return nextFire_; }

private:
    void schedule(double delay);
    void unschedule();
    // Main thread, from the clock.
    void onFire();

    base::Clock& clock_;
    double interval_;
    std::function<void()> tick_;
    std::optional<base::Clock::TimerId> pending_;
    std::optional<double> nextFire_;
};

}  // namespace tk
