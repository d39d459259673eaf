#include "main/toolkit/RepeatingTimer.h"

#include <cmath>

namespace tk {

namespace {
constexpr double kShortestInterval = 0.001;
}

RepeatingTimer::RepeatingTimer(base::Clock& clock, double interval, std::function<void()> tick)
    : clock_(clock),
      interval_(std::isfinite(interval) && interval > 0 ? interval : kShortestInterval),
      tick_(std::move(tick)) {
    schedule(interval_);
}

RepeatingTimer::~RepeatingTimer() {
    unschedule();
}

void RepeatingTimer::setFireDateFromNow(double secondsFromNow) {
    unschedule();
    if (std::isnan(secondsFromNow) || secondsFromNow == kDistantFuture) return;
    schedule(secondsFromNow > 0 ? secondsFromNow : 0);
}

void RepeatingTimer::schedule(double delay) {
    nextFire_ = clock_.now() + delay;
    pending_ = clock_.callAfter(delay, [this] { onFire(); });
}

void RepeatingTimer::unschedule() {
    if (pending_) clock_.cancel(*pending_);
    pending_.reset();
    nextFire_.reset();
}

void RepeatingTimer::onFire() {
    // Schedule the next tick first, so a tick that pauses or reschedules the timer wins.
    pending_.reset();
    schedule(interval_);
    if (tick_) tick_();
}

}  // namespace tk
