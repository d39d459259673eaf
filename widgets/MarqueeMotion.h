#pragma once

#include <optional>
#include <vector>

#include <QEasingCurve>
#include <QPointer>
#include <QWidget>

#include "base/Clock.h"
#include "base/Task.h"

namespace widgets {

// One sideways movement of a label's copies, run on the clock: a standstill of `delay`
// seconds (no callbacks in between), then frames at about 60 per second until `duration`
// has passed. Positions are computed from the clock's time, so late frames never add up to
// drift. All calls and callbacks run on the main thread.
class MarqueeMotion {
public:
    struct Track {
        QPointer<QWidget> copy;
        double fromX = 0;
        double toX = 0;
    };

    static constexpr double kFrameInterval = 1.0 / 60;

    explicit MarqueeMotion(base::Clock& clock) : clock_(clock) {}
    ~MarqueeMotion() { stop(); }
    MarqueeMotion(const MarqueeMotion&) = delete;
    MarqueeMotion& operator=(const MarqueeMotion&) = delete;

    // Replaces any movement under way. A paused start stays frozen at its beginning until
    // resume(). `onFinished` runs once, after the last frame, unless stopped first.
    void start(std::vector<Track> tracks, double duration, double delay, QEasingCurve curve,
               bool startPaused, base::Task onFinished);

    // Ends the movement where it is, without calling `onFinished`.
    void stop();

    // Freezes the movement at the current moment; resume() continues from that moment.
    void pause();
    void resume();

    bool running() const { return running_; }

private:
    void frame();
    void scheduleFrame(double delay);
    void cancelFrame();
    void place(double progress);

    base::Clock& clock_;
    std::vector<Track> tracks_;
    double duration_ = 0;
    double delay_ = 0;
    double startTime_ = 0;
    double pausedAt_ = 0;
    bool running_ = false;
    bool paused_ = false;
    QEasingCurve curve_;
    base::Task onFinished_;
    std::optional<base::Clock::TimerId> pendingFrame_;
};

}  // namespace widgets
