#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace chairlink {

// What a status chunk is, by its type byte.
enum class StatusKind : std::uint8_t {
    NotAFrame,  // too short to carry a type byte
    TooLong,    // 256 bytes or more: acknowledged, never decoded
    Unknown,    // a type the remote has no use for
    RunningState,
    AutoProgramme,
    ManualMassage,
    AirPressure,
    OtherFunctions,
    QuickKey,
    Service,
    CommandEcho,
    UpdateResult,
};

// The kind a type byte names (Unknown for the others).
StatusKind statusKindOfType(std::uint8_t type);
// A short English name of a frame kind ("running state", ...), or "unknown".
std::string_view statusKindName(StatusKind kind);

// One data byte of a status frame and what it means.
struct StatusField {
    // "mode", "minutes", ...; empty for a byte this kind of frame does not use.
    std::string_view name;
    // The byte as read. A short frame's D2 to D4 read its checksum and trailer, and bytes past
    // the end of the chunk read 0: the screen has always used them so.
    std::uint8_t value = 0;
    // The frame carries it as data: D1 of a short frame, D1 to D4 of a long one.
    bool carried = false;
    // The chair defines this value for the field; always true for an unused byte.
    bool inRange = true;
    // The value's name where the field names its values ("running", "knead"), else empty.
    std::string_view meaning;

    bool used() const { return !name.empty(); }
};

// One status chunk, decoded: no state, no screen. Cheap to copy; it views nothing.
struct StatusReport {
    StatusKind kind = StatusKind::NotAFrame;
    std::uint8_t type = 0;              // byte 2, 0 when the chunk is shorter
    std::size_t length = 0;             // bytes in the chunk
    std::array<StatusField, 4> data{};  // D1 to D4: bytes 3 to 6

    std::uint8_t d1() const { return data[0].value; }
    std::uint8_t d2() const { return data[1].value; }
    std::uint8_t d3() const { return data[2].value; }
    std::uint8_t d4() const { return data[3].value; }
    // Every used field that the frame carries is in range.
    bool inRange() const;
    // A command echo or service frame whose D1 is the echo of the link check.
    bool answersLinkCheck() const;
    // An update result that reports success.
    bool updateSucceeded() const;
};

// The longest chunk that is decoded.
inline constexpr std::size_t kLongestDecodedChunk = 255;

// Decodes one chunk the drain accepted (normally a whole 7- or 10-byte frame). Any bytes are
// safe: a chunk of another length reads bytes 2 to 6, zero past its end.
StatusReport decodeStatus(std::span<const std::uint8_t> chunk);

}  // namespace chairlink
