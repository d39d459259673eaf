#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/FrameFormat.h"

namespace chairlink {

// Lowercase pairs, each followed by one space: "aa 55 0d " (the log's form).
std::string lowerHexWithTrailingSpaces(std::span<const std::uint8_t> bytes);

// Uppercase pairs separated by single spaces: "AA 55 0D" (technicians' form).
std::string upperHexPairs(std::span<const std::uint8_t> bytes);

// Reads hex pairs; spaces between pairs are optional. No value for an odd digit count or
// any other character.
std::optional<Bytes> parseHexBytes(std::string_view text);

}  // namespace chairlink
