#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace chairlink {

using Bytes = std::vector<std::uint8_t>;

// Every frame in either direction starts with this header and ends with this trailer.
inline constexpr std::uint8_t kHeaderFirst = 0xAA;
inline constexpr std::uint8_t kHeaderSecond = 0x55;
inline constexpr std::uint8_t kTrailerFirst = 0x0D;
inline constexpr std::uint8_t kTrailerSecond = 0x0A;

// Commands are always short frames; status frames are short or long.
inline constexpr std::size_t kShortFrameLength = 7;
inline constexpr std::size_t kLongFrameLength = 10;

// Byte positions shared by both frame lengths.
inline constexpr std::size_t kTypeIndex = 2;   // group byte of a command, type of a status
inline constexpr std::size_t kValueIndex = 3;  // value byte of a command, D1 of a status

// Update files are written raw in pieces of this size.
inline constexpr std::size_t kUpdatePieceSize = 102;

}  // namespace chairlink
