#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace chairctl {

// A whole number in decimal (optionally negative) or 0x-hex, within [min, max].
std::optional<std::int64_t> parseNumber(std::string_view text, std::int64_t min, std::int64_t max);

// Seconds: a number from 0 to a day.
std::optional<double> parseSeconds(const std::string& text);

// A command code: a signed 32-bit number.
std::optional<std::int32_t> parseCode(std::string_view text);

// A command's arguments as Qt's parser reads them: "--name VALUE", "--name=VALUE" and flags.
// Negative numbers ("-1", "-0x10") are command codes, not options. Help is asked for when
// "--help" is among them, whatever else is wrong.
struct CommandArguments {
    bool help = false;
    std::optional<std::string> error;          // one line, when they cannot be read
    std::vector<std::string> positional;       // in order
    std::map<std::string, std::string> given;  // each option given, with its last value

    std::optional<std::string> value(const std::string& name) const;
    bool isSet(const std::string& name) const { return given.contains(name); }
};

// `options` are the command's option names, each with a value or not.
CommandArguments readCommandArguments(const std::vector<std::string>& args,
                                      const std::vector<std::pair<const char*, bool>>& options);

}  // namespace chairctl
