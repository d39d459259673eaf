#pragma once

#include <cstdint>
#include <string_view>

namespace chairlink {

// What a command code asks of the chair in a technician's words ("power on", "knead",
// "hand speed"), or empty for a code no control sends.
std::string_view commandName(std::int32_t code);

}  // namespace chairlink
