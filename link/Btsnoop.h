#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/FrameFormat.h"

namespace chairlink {

// The btsnoop file format phones use for their HCI snoop logs: a 16-byte file header, then
// records of a 24-byte header and the packet. All numbers are big-endian.
namespace btsnoop {

inline constexpr std::size_t kFileHeaderLength = 16;
inline constexpr std::size_t kRecordHeaderLength = 24;
inline constexpr std::uint32_t kVersion = 1;
// Packets with the UART type byte in front (what phones write), and without it.
inline constexpr std::uint32_t kDatalinkH4 = 1002;
inline constexpr std::uint32_t kDatalinkHci = 1001;
// Record flags: bit 0 set for what the controller sent the host, bit 1 for a command or event.
inline constexpr std::uint32_t kFlagReceived = 0x1;
inline constexpr std::uint32_t kFlagCommandOrEvent = 0x2;
// Timestamps count microseconds from midnight of 1 January of year 0; this is 1970's.
inline constexpr std::int64_t kUnixEpochMicros = 0x00dcddb30f2f8000LL;
// Longer records are not something a Bluetooth controller produces.
inline constexpr std::uint32_t kLongestPacket = 65535 + 5;

Bytes fileHeader(std::uint32_t datalink);
Bytes record(std::span<const std::uint8_t> packet, std::uint32_t flags, std::int64_t micros);

struct Record {
    std::size_t number = 0;  // from 1, as Wireshark counts
    std::uint32_t flags = 0;
    std::int64_t micros = 0;
    std::span<const std::uint8_t> packet;  // views the file's bytes

    bool received() const { return (flags & kFlagReceived) != 0; }
};

struct File {
    std::uint32_t datalink = 0;
    std::vector<Record> records;
    // Why the file is not a capture at all; the records are then empty.
    std::optional<std::string> refused;
    // A damaged record ends the reading: one line saying which and how.
    std::optional<std::string> damage;
};

// Reads a whole capture held in memory; any bytes are safe. The records view `bytes`.
File read(std::span<const std::uint8_t> bytes);

}  // namespace btsnoop

}  // namespace chairlink
