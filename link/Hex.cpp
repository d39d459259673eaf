#include "link/Hex.h"

namespace chairlink {

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Every received notification is logged in hex, so this stays off printf.
std::string pairs(std::span<const std::uint8_t> bytes, const char* digits, char separator,
                  bool trailing) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && !trailing) out += separator;
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0x0F];
        if (trailing) out += separator;
    }
    return out;
}

}  // namespace

std::string lowerHexWithTrailingSpaces(std::span<const std::uint8_t> bytes) {
    return pairs(bytes, "0123456789abcdef", ' ', true);
}

std::string upperHexPairs(std::span<const std::uint8_t> bytes) {
    return pairs(bytes, "0123456789ABCDEF", ' ', false);
}

std::optional<Bytes> parseHexBytes(std::string_view text) {
    Bytes bytes;
    int high = -1;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (high >= 0) return std::nullopt;  // a space inside a pair
            continue;
        }
        int digit = digitValue(c);
        if (digit < 0) return std::nullopt;
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
            high = -1;
        }
    }
    if (high >= 0) return std::nullopt;
    return bytes;
}

}  // namespace chairlink
