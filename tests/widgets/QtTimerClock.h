#pragma once

#include <QElapsedTimer>
#include <map>

#include "base/Clock.h"

class QTimer;

namespace marquee_demo {

// A clock on Qt's event loop for the demo: single-shot precise timers. Main thread only.
class QtTimerClock final : public base::Clock {
public:
    QtTimerClock() { elapsed_.start(); }
    ~QtTimerClock() override;

    double now() const override { return elapsed_.nsecsElapsed() / 1e9; }
    TimerId callAfter(double delay, base::Task task) override;
    void cancel(TimerId id) override;

    std::size_t firedCount() const { return fired_; }

private:
    QElapsedTimer elapsed_;
    TimerId nextId_ = 1;
    std::map<TimerId, QTimer*> pending_;
    std::size_t fired_ = 0;
};

}  // namespace marquee_demo
