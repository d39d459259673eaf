#pragma once

#include <functional>
#include <optional>

#include "chair/ChairStatus.h"
#include "chair/ChairTimers.h"
#include "chair/ChairTimings.h"

namespace chair {

// The chair's way through its modes: off -> shoulder measuring (1) -> position adjusting (3)
// -> running (4) with the remaining minutes counting down, paused (5) and back, off again
// when the time is up or on request. Runs on the chair's queue; every change of the running
// state is reported through `report`.
class PowerCycle {
public:
    using Report = std::function<void(std::vector<Bytes>)>;

    PowerCycle(ChairStatus& status, ChairTimers& timers, const ChairTimings& timings,
               Report report);

    void powerOn();
    void powerOff();
    // Codes 52/53: move the rollers while adjusting (anything else is ignored).
    void moveUp();
    void moveDown();
    void pause();
    void resume();
    // A new programme or manual choice while running starts the session time afresh.
    void restartSession();

private:
    void measureStep();
    void startAdjusting();
    void armAdjustWindow();
    void startRunning();
    void armMinute(double seconds);
    void minutePassed();
    void cancelTimers();
    void reportRunningState();

    ChairStatus& status_;
    ChairTimers& timers_;
    const ChairTimings& timings_;
    Report report_;
    std::optional<ChairTimers::Id> step_;
    // When the current minute of the countdown ends, and what was left of it at a pause.
    double minuteDue_ = 0;
    double minuteLeftAtPause_ = 0;
};

}  // namespace chair
