#pragma once

namespace chair {

// How long the chair takes for each step, in clock seconds.
struct ChairTimings {
    // Shoulder measuring sweeps the rollers over positions 0..11, one step each.
    double measureStep = 0.5;
    // Where the measurement places the rollers; the user may move them from there.
    int measuredPosition = 6;
    // Position adjusting ends this long after it began or after the last 52/53 press.
    double adjustWindow = 10.0;
    // One minute of the remaining time.
    double minute = 60.0;
    // The length of a session, in minutes.
    int sessionMinutes = 15;
    // Update data has ended once no piece came for this long.
    double updateGap = 0.5;
};

}  // namespace chair
