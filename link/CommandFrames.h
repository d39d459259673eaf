#pragma once

#include <array>
#include <cstdint>

#include "link/FrameFormat.h"

namespace chairlink {

using CommandFrame = std::array<std::uint8_t, kShortFrameLength>;

// Codes with a fixed meaning for the link itself.
inline constexpr std::int32_t kAcknowledgeCode = 0;
inline constexpr std::int32_t kRejectCode = 1;
inline constexpr std::int32_t kLinkUpCode = 49;
inline constexpr std::int32_t kLinkCheckCode = 177;

// Setting codes carry one chair-state value in their value byte.
inline constexpr std::int32_t kUpperIntensityCode = 16;
inline constexpr std::int32_t kHandSpeedCode = 17;
inline constexpr std::int32_t kHandWidthCode = 18;
inline constexpr std::int32_t kArmPressureIntensityCode = 19;
inline constexpr std::int32_t kLowerPressureIntensityCode = 20;
inline constexpr std::int32_t kFootRollerSpeedCode = 21;

// Simple codes go out in this group with the code as value.
inline constexpr std::uint8_t kSimpleCommandGroup = 0x01;

inline constexpr CommandFrame kAcknowledgeFrame{0xAA, 0x55, 0xC3, 0x3C, 0xFF, 0x0D, 0x0A};
// The chair sends the same bytes as its stop frame.
inline constexpr CommandFrame kRejectFrame{0xAA, 0x55, 0xC0, 0x0C, 0xCC, 0x0D, 0x0A};

// The values that setting commands carry, and the other state flags the remote keeps.
// Unsigned 8-bit values; every field starts at 0 / false except otherBackHeartStatus.
struct ChairState {
    bool powerStatus = false;
    bool isPaused = false;
    std::uint8_t massageMode = 0;
    std::uint8_t uppperIntensity = 0;
    std::uint8_t handSpeed = 0;
    std::uint8_t handWidth = 0;
    bool armPressureStatus = false;
    std::uint8_t armPressureIntensity = 0;
    std::uint8_t lowerPressureStatus = 0;
    std::uint8_t lowerPressureIntensity = 0;
    std::uint8_t footRollerSpeed = 0;
    bool footStretchStatus = false;
    bool otherFootRollerStatus = false;
    bool otherBackHeartStatus = true;
    std::int64_t theTimes = 0;
};

bool isSettingCode(std::int32_t code);
bool isSimpleCode(std::int32_t code);

// The frame for a code: fixed bytes for acknowledge and reject, the state value for a
// setting code, the code itself for a simple code, and AA 55 00 00 00 0D 0A for anything
// else. Pure: reads `state` only.
CommandFrame buildCommandFrame(std::int32_t code, const ChairState& state);

// Low 8 bits of group + value, as the chair expects in byte 4 of a command.
std::uint8_t commandChecksum(std::uint8_t group, std::uint8_t value);

}  // namespace chairlink
