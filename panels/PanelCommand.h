#pragma once

#include <cstdint>
#include <optional>

namespace panels {

// The chair-state value a press stores in the session controller just before it sends its
// code, so the frame carries it (or, for the lower zone, so it is only kept).
enum class ChairSetting {
    None,
    HandSpeed,
    HandWidth,
    ArmPressureIntensity,
    LowerPressureIntensity,
    LowerPressureStatus,
    FootRollerSpeed,
};

// What one press of a menu panel's control asks of the chair.
struct PanelCommand {
    std::int32_t code = 0;
    ChairSetting setting = ChairSetting::None;
    std::uint8_t value = 0;

    bool operator==(const PanelCommand&) const = default;
};

// Intensity and speed bars: five segments for three levels, so segments 1 and 2 both ask for
// level 1, 3 and 4 for level 2, and 5 for level 3.
constexpr std::uint8_t levelOfSegment(int segment) {
    constexpr std::uint8_t kLevels[] = {1, 1, 2, 2, 3};
    return segment >= 1 && segment <= 5 ? kLevels[segment - 1] : 0;
}

}  // namespace panels
