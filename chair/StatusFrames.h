#pragma once

#include <cstdint>

#include "link/BleCentral.h"

namespace chair {

using chairlink::Bytes;

// Frame types the chair reports in.
enum FrameType : std::uint8_t {
    kRunningState = 0xF1,
    kAutoProgramme = 0xF2,
    kManualMassage = 0xF3,
    kAirPressure = 0xF4,
    kOtherFunctions = 0xF5,
    kQuickKey = 0xF6,
    kService = 0xF7,
    kCommandEcho = 0x01,
    kUpdateResult = 0xA5,
};

// A 10-byte status frame: AA 55 T D1 D2 D3 D4 S 0D 0A with S the low byte of T+D1+..+D4.
// The remote accepts S or S+256, so any sum below 512 checks.
Bytes statusFrame(std::uint8_t type, std::uint8_t d1, std::uint8_t d2 = 0, std::uint8_t d3 = 0,
                  std::uint8_t d4 = 0);

// A 7-byte status frame: AA 55 T D1 S 0D 0A. The remote adds T and D1 without reducing, so a
// sum above 255 could never check; such a frame is sent in the 10-byte form instead.
Bytes shortStatusFrame(std::uint8_t type, std::uint8_t d1);

// The answer to the link check, AA 55 01 B1 B2 0D 0A.
Bytes linkCheckEcho();
// The update confirmation, type 0xA5 with 0x5A.
Bytes updateConfirmation();

// Whether a write is a command frame: 7 bytes, AA 55 header, 0D 0A trailer and a byte 4
// that is the low byte of bytes 2 and 3. Anything else written to the chair is update data.
bool isCommandFrame(const Bytes& bytes);

// A copy with the checksum byte off by one, for the corrupted-checksum fault.
Bytes withBrokenChecksum(Bytes frame);

}  // namespace chair
