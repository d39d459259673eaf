#include "widgets/MarqueeMotion.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace widgets {
namespace {

// Clock sums such as 1.0 + 9.2 are not exact; a frame this close to the end is the end.
constexpr double kTimeSlack = 1e-6;

}  // namespace

void MarqueeMotion::start(std::vector<Track> tracks, double duration, double delay,
                          QEasingCurve curve, bool startPaused, base::Task onFinished) {
    stop();
    tracks_ = std::move(tracks);
    duration_ = std::max(0.0, duration);
    delay_ = std::max(0.0, delay);
    curve_ = std::move(curve);
    onFinished_ = std::move(onFinished);
    startTime_ = clock_.now();
    running_ = true;
    place(0);
    if (startPaused) {
        paused_ = true;
        pausedAt_ = startTime_;
        return;
    }
    scheduleFrame(delay_);
}

void MarqueeMotion::stop() {
    cancelFrame();
    running_ = false;
    paused_ = false;
    tracks_.clear();
    onFinished_ = nullptr;
}

void MarqueeMotion::pause() {
    if (!running_ || paused_) return;
    cancelFrame();
    paused_ = true;
    pausedAt_ = clock_.now();
}

void MarqueeMotion::resume() {
    if (!paused_) return;
    paused_ = false;
    // Shifting the start by the time spent paused makes the movement go on from where it froze.
    startTime_ += clock_.now() - pausedAt_;
    if (running_) frame();
}

// Main thread (clock callback).
void MarqueeMotion::frame() {
    pendingFrame_.reset();
    const double elapsed = clock_.now() - startTime_ - delay_;
    if (elapsed < -kTimeSlack) {
        scheduleFrame(-elapsed);
        return;
    }
    const double remaining = duration_ - elapsed;
    if (remaining <= kTimeSlack) {
        place(1);
        base::Task done = std::move(onFinished_);
        stop();
        if (done) done();  // may start the next movement on this same object
        return;
    }
    place(std::clamp(elapsed / duration_, 0.0, 1.0));
    // The last frame lands exactly on the end, so cycles keep their exact length.
    scheduleFrame(std::min(kFrameInterval, remaining));
}

void MarqueeMotion::scheduleFrame(double delay) {
    cancelFrame();
    pendingFrame_ = clock_.callAfter(delay, [this] { frame(); });
}

void MarqueeMotion::cancelFrame() {
    if (pendingFrame_) clock_.cancel(*pendingFrame_);
    pendingFrame_.reset();
}

void MarqueeMotion::place(double progress) {
    const double eased = curve_.valueForProgress(progress);
    for (const Track& track : tracks_) {
        if (!track.copy) continue;
        const int x =
            static_cast<int>(std::lround(track.fromX + (track.toX - track.fromX) * eased));
        // Unchanged positions cost no repaint.
        if (x != track.copy->x()) track.copy->move(x, track.copy->y());
    }
}

}  // namespace widgets
