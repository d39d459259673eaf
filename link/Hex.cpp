#include "link/Hex.h"

namespace chairlink {

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Every received notification is logged in hex, so this stays off printf and writes each
// character once into a string sized up front.
std::string pairs(std::span<const std::uint8_t> bytes, const char* digits, char separator,
                  bool trailing) {
    if (bytes.empty()) return {};
    std::string out(bytes.size() * 3 - (trailing ? 0 : 1), separator);
    char* at = out.data();
    for (std::uint8_t byte : bytes) {
        at[0] = digits[byte >> 4];
        at[1] = digits[byte & 0x0F];
        at += 3;
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
