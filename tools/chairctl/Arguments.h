#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chairctl {

// A whole number in decimal (optionally negative) or 0x-hex, within [min, max].
std::optional<std::int64_t> parseNumber(std::string_view text, std::int64_t min, std::int64_t max);

// A command code: a signed 32-bit number.
std::optional<std::int32_t> parseCode(std::string_view text);

// Takes "--name VALUE" out of the arguments; no value when absent. `error` is set when the
// option is present without a value.
std::optional<std::string> takeOption(std::vector<std::string>& args, const std::string& name,
                                      std::string& error);
// Takes "--name" out of the arguments and tells whether it was there.
bool takeFlag(std::vector<std::string>& args, const std::string& name);

}  // namespace chairctl
