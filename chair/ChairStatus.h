#pragma once

#include <cstdint>
#include <vector>

#include "chair/StatusFrames.h"

namespace chair {

// Chair modes as the running-state frame reports them.
enum ChairMode : std::uint8_t {
    kOff = 0,
    kMeasuring = 1,  // shoulder measuring
    kAdjusting = 3,  // the user may move the position (codes 52/53)
    kRunning = 4,
    kPaused = 5,
};

// Everything the chair reports, in the chair's own numbering.
struct ChairStatus {
    // Running state.
    std::uint8_t mode = kOff;
    std::uint8_t remainingMinutes = 0;
    std::uint8_t position = 0;   // 0..11
    std::uint8_t intensity = 3;  // 1..5
    // Automatic programme: 1..6 (4 full air pressure, 5 waist twist), 8..10 memories, 0 none.
    std::uint8_t programme = 0;
    // Manual massage: range 1 full back .. 4 partial, 5 fixed, 0 none; technique 0 none.
    std::uint8_t range = 0;
    std::uint8_t technique = 0;
    std::uint8_t speed = 3;  // 1..5
    std::uint8_t width = 3;  // 1..5
    // Air pressure: arm bags on/off with their own level; one lower zone (1 lower body,
    // 2 waist to hip, 3 legs, 0 none) with a shared level; leg traction.
    bool armOn = false;
    std::uint8_t armIntensity = 2;  // 1..3
    std::uint8_t zone = 0;
    std::uint8_t lowerIntensity = 2;  // 1..3
    bool traction = false;
    // Other functions.
    bool rollersOn = false;
    std::uint8_t rollerSpeed = 2;  // 1..3
    bool heat = false;
    std::uint8_t autoKey = 0;  // 0..3, the picture of the auto quick key
    // Service.
    std::uint8_t serviceStarted = 0;
    std::uint8_t serviceItem = 0;  // 0 none, 1..3

    bool on() const { return mode != kOff; }
    // Everything a switch-off clears; the grades set by the user stay.
    void switchOff();
};

Bytes runningStateFrame(const ChairStatus& s);
Bytes programmeFrame(const ChairStatus& s);
Bytes manualFrame(const ChairStatus& s);
Bytes airPressureFrame(const ChairStatus& s);
Bytes otherFunctionsFrame(const ChairStatus& s);
Bytes quickKeyFrame(const ChairStatus& s);
Bytes serviceFrame(const ChairStatus& s);
// Types 0xF1 to 0xF7 in order: the answer to the link-up frame.
std::vector<Bytes> fullStatus(const ChairStatus& s);

}  // namespace chair
