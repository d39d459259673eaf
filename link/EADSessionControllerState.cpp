// The chair-state getters and setters of the session controller: plain values under the frame
// lock, so a frame never carries half an update.
#include "link/EADSessionController.h"

namespace chairlink {

template <typename T>
T EADSessionController::readState(T ChairState::*field) const {
    std::lock_guard lock(frameMutex_);
    return state_.*field;
}

template <typename T>
void EADSessionController::writeState(T ChairState::*field, T value) {
    std::lock_guard lock(frameMutex_);
    state_.*field = value;
}

ChairState EADSessionController::chairState() const {
    std::lock_guard lock(frameMutex_);
    return state_;
}

#define CHAIR_STATE_ACCESSORS(Type, getter, setter) \
    Type EADSessionController::getter() const {     \
        return readState(&ChairState::getter);      \
    }                                               \
    void EADSessionController::setter(Type value) { \
        writeState(&ChairState::getter, value);     \
    }

CHAIR_STATE_ACCESSORS(bool, powerStatus, setPowerStatus)
CHAIR_STATE_ACCESSORS(bool, isPaused, setIsPaused)
CHAIR_STATE_ACCESSORS(std::uint8_t, massageMode, setMassageMode)
CHAIR_STATE_ACCESSORS(std::uint8_t, uppperIntensity, setUppperIntensity)
CHAIR_STATE_ACCESSORS(std::uint8_t, handSpeed, setHandSpeed)
CHAIR_STATE_ACCESSORS(std::uint8_t, handWidth, setHandWidth)
CHAIR_STATE_ACCESSORS(bool, armPressureStatus, setArmPressureStatus)
CHAIR_STATE_ACCESSORS(std::uint8_t, armPressureIntensity, setArmPressureIntensity)
CHAIR_STATE_ACCESSORS(std::uint8_t, lowerPressureStatus, setLowerPressureStatus)
CHAIR_STATE_ACCESSORS(std::uint8_t, lowerPressureIntensity, setLowerPressureIntensity)
CHAIR_STATE_ACCESSORS(std::uint8_t, footRollerSpeed, setFootRollerSpeed)
CHAIR_STATE_ACCESSORS(bool, footStretchStatus, setFootStretchStatus)
CHAIR_STATE_ACCESSORS(bool, otherFootRollerStatus, setOtherFootRollerStatus)
CHAIR_STATE_ACCESSORS(bool, otherBackHeartStatus, setOtherBackHeartStatus)
CHAIR_STATE_ACCESSORS(std::int64_t, theTimes, setTheTimes)

#undef CHAIR_STATE_ACCESSORS

}  // namespace chairlink
