#pragma once

#include <cstdint>

namespace mainscreen {

// Command codes the main screen's own controls send.
inline constexpr std::int32_t kPowerOffCode = 0x32;      // 50
inline constexpr std::int32_t kPowerOnCode = 0x33;       // 51
inline constexpr std::int32_t kQuickKeyStopCode = 0x90;  // 144, a hold key released
inline constexpr std::int32_t kFootUpCode = 0x91;        // 145, key tagged 2
inline constexpr std::int32_t kFootDownCode = 0x92;      // 146, key tagged 3
inline constexpr std::int32_t kHeartUpCode = 0x93;       // 147, key tagged 5
inline constexpr std::int32_t kHeartDownCode = 0x94;     // 148, key tagged 4
inline constexpr std::int32_t kAutoKeyCode = 0x9C;       // 156

}  // namespace mainscreen
