#include "chair/StatusFrames.h"

namespace chair {

namespace {
constexpr std::uint8_t kHeader0 = 0xAA;
constexpr std::uint8_t kHeader1 = 0x55;
constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
}  // namespace

Bytes statusFrame(std::uint8_t type, std::uint8_t d1, std::uint8_t d2, std::uint8_t d3,
                  std::uint8_t d4) {
    unsigned sum = unsigned{type} + d1 + d2 + d3 + d4;
    return {kHeader0, kHeader1, type, d1, d2, d3, d4, static_cast<std::uint8_t>(sum & 0xFF),
            kCr,      kLf};
}

Bytes shortStatusFrame(std::uint8_t type, std::uint8_t d1) {
    unsigned sum = unsigned{type} + d1;
    if (sum > 0xFF) return statusFrame(type, d1);
    return {kHeader0, kHeader1, type, d1, static_cast<std::uint8_t>(sum), kCr, kLf};
}

Bytes linkCheckEcho() {
    return shortStatusFrame(kCommandEcho, 0xB1);
}

Bytes updateConfirmation() {
    return shortStatusFrame(kUpdateResult, 0x5A);
}

bool isCommandFrame(const Bytes& bytes) {
    return bytes.size() == 7 && bytes[0] == kHeader0 && bytes[1] == kHeader1 && bytes[5] == kCr &&
           bytes[6] == kLf && static_cast<std::uint8_t>(bytes[2] + bytes[3]) == bytes[4];
}

Bytes withBrokenChecksum(Bytes frame) {
    if (frame.size() == 7) frame[4] = static_cast<std::uint8_t>(frame[4] + 1);
    if (frame.size() == 10) frame[7] = static_cast<std::uint8_t>(frame[7] + 1);
    return frame;
}

}  // namespace chair
