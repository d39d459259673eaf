#include "link/CommandFrames.h"

#include <algorithm>

namespace chairlink {

namespace {

// Every code that goes out as group 0x01 with the code as value.
constexpr std::int32_t kSimpleCodes[] = {
    48,  49,  50,  51,  52,  53,  54,  55,  64,  65,  66,  67,  68,  69,  70,  80,  81,  82,  83,
    84,  96,  97,  98,  99,  100, 101, 106, 112, 113, 114, 115, 118, 119, 120, 121, 128, 129, 136,
    137, 144, 145, 146, 147, 148, 156, 160, 161, 162, 163, 164, 165, 177, 184, 185, 186, 187, 188,
};

constexpr std::size_t kChecksumIndex = 4;

std::uint8_t settingValue(std::int32_t code, const ChairState& state) {
    switch (code) {
        case kUpperIntensityCode:
            return state.uppperIntensity;
        case kHandSpeedCode:
            return state.handSpeed;
        case kHandWidthCode:
            return state.handWidth;
        case kArmPressureIntensityCode:
            return state.armPressureIntensity;
        case kLowerPressureIntensityCode:
            return state.lowerPressureIntensity;
        case kFootRollerSpeedCode:
            return state.footRollerSpeed;
        default:
            return 0;
    }
}

}  // namespace

bool isSettingCode(std::int32_t code) {
    return code >= kUpperIntensityCode && code <= kFootRollerSpeedCode;
}

bool isSimpleCode(std::int32_t code) {
    return std::find(std::begin(kSimpleCodes), std::end(kSimpleCodes), code) !=
           std::end(kSimpleCodes);
}

std::uint8_t commandChecksum(std::uint8_t group, std::uint8_t value) {
    return static_cast<std::uint8_t>((group + value) & 0xFF);
}

CommandFrame buildCommandFrame(std::int32_t code, const ChairState& state) {
    if (code == kAcknowledgeCode) return kAcknowledgeFrame;
    if (code == kRejectCode) return kRejectFrame;
    std::uint8_t group = 0;
    std::uint8_t value = 0;
    if (isSettingCode(code)) {
        group = static_cast<std::uint8_t>(code);
        value = settingValue(code, state);
    } else if (isSimpleCode(code)) {
        group = kSimpleCommandGroup;
        value = static_cast<std::uint8_t>(code);
    }
    CommandFrame frame{};
    frame[0] = kHeaderFirst;
    frame[1] = kHeaderSecond;
    frame[kTypeIndex] = group;
    frame[kValueIndex] = value;
    frame[kChecksumIndex] = commandChecksum(group, value);
    frame[5] = kTrailerFirst;
    frame[6] = kTrailerSecond;
    return frame;
}

}  // namespace chairlink
