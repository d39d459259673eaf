#include "chair/PowerCycle.h"

#include <algorithm>

namespace chair {

namespace {
constexpr std::uint8_t kTopPosition = 11;
}

PowerCycle::PowerCycle(ChairStatus& status, ChairTimers& timers, const ChairTimings& timings,
                       Report report)
    : status_(status), timers_(timers), timings_(timings), report_(std::move(report)) {}

void PowerCycle::powerOn() {
    if (status_.on()) return;
    status_.mode = kMeasuring;
    status_.position = 0;
    status_.remainingMinutes = 0;
    reportRunningState();
    step_ = timers_.after(timings_.measureStep, [this] { measureStep(); });
}

void PowerCycle::powerOff() {
    cancelTimers();
    status_.switchOff();
    report_(fullStatus(status_));
}

void PowerCycle::measureStep() {
    if (status_.position < kTopPosition) {
        ++status_.position;
        reportRunningState();
        step_ = timers_.after(timings_.measureStep, [this] { measureStep(); });
        return;
    }
    startAdjusting();
}

void PowerCycle::startAdjusting() {
    status_.mode = kAdjusting;
    status_.position = static_cast<std::uint8_t>(std::clamp(timings_.measuredPosition, 0, 11));
    reportRunningState();
    armAdjustWindow();
}

void PowerCycle::armAdjustWindow() {
    if (step_) timers_.cancel(*step_);
    step_ = timers_.after(timings_.adjustWindow, [this] { startRunning(); });
}

void PowerCycle::moveUp() {
    if (status_.mode != kAdjusting) return;
    if (status_.position < kTopPosition) ++status_.position;
    reportRunningState();
    armAdjustWindow();
}

void PowerCycle::moveDown() {
    if (status_.mode != kAdjusting) return;
    if (status_.position > 0) --status_.position;
    reportRunningState();
    armAdjustWindow();
}

void PowerCycle::startRunning() {
    status_.mode = kRunning;
    status_.remainingMinutes =
        static_cast<std::uint8_t>(std::clamp(timings_.sessionMinutes, 1, 45));
    reportRunningState();
    armMinute(timings_.minute);
}

void PowerCycle::armMinute(double seconds) {
    minuteDue_ = timers_.now() + seconds;
    step_ = timers_.after(seconds, [this] { minutePassed(); });
}

void PowerCycle::minutePassed() {
    step_.reset();
    if (status_.remainingMinutes > 0) --status_.remainingMinutes;
    if (status_.remainingMinutes == 0) {
        powerOff();  // the session is over
        return;
    }
    reportRunningState();
    armMinute(timings_.minute);
}

void PowerCycle::pause() {
    if (status_.mode != kRunning) return;
    minuteLeftAtPause_ = std::max(0.0, minuteDue_ - timers_.now());
    cancelTimers();
    status_.mode = kPaused;
    reportRunningState();
}

void PowerCycle::resume() {
    if (status_.mode != kPaused) return;
    status_.mode = kRunning;
    reportRunningState();
    armMinute(minuteLeftAtPause_);
}

void PowerCycle::restartSession() {
    if (status_.mode != kRunning && status_.mode != kPaused) return;
    cancelTimers();
    startRunning();
}

void PowerCycle::cancelTimers() {
    if (step_) timers_.cancel(*step_);
    step_.reset();
}

void PowerCycle::reportRunningState() {
    report_({runningStateFrame(status_)});
}

}  // namespace chair
