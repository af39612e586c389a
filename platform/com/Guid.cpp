#include "platform/com/Guid.h"

#include <cstdio>

namespace com {

namespace {

// The value of one hex digit, or -1.
int hexValue(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at `text[at]`; false if any is not a hex digit.
bool readHex(std::string_view text, std::size_t at, std::size_t digits, std::uint64_t& out) {
    out = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int v = hexValue(text[at + i]);
        if (v < 0) return false;
        out = (out << 4) | static_cast<std::uint64_t>(v);
    }
    return true;
}

}  // namespace

std::optional<Guid> Guid::parse(std::string_view text) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    //  1        10   15   20   25
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
    if (text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-') {
        return std::nullopt;
    }
    Guid g;
    std::uint64_t v = 0;
    if (!readHex(text, 1, 8, v)) return std::nullopt;
    g.data1 = static_cast<std::uint32_t>(v);
    if (!readHex(text, 10, 4, v)) return std::nullopt;
    g.data2 = static_cast<std::uint16_t>(v);
    if (!readHex(text, 15, 4, v)) return std::nullopt;
    g.data3 = static_cast<std::uint16_t>(v);
    for (std::size_t i = 0; i < 8; ++i) {
        // The first two bytes of data4 stand before the last dash.
        const std::size_t at = i < 2 ? 20 + 2 * i : 25 + 2 * (i - 2);
        if (!readHex(text, at, 2, v)) return std::nullopt;
        g.data4[i] = static_cast<std::uint8_t>(v);
    }
    return g;
}

std::string Guid::toString() const {
    char buffer[39];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(data1), static_cast<unsigned>(data2), static_cast<unsigned>(data3),
                  static_cast<unsigned>(data4[0]), static_cast<unsigned>(data4[1]), static_cast<unsigned>(data4[2]),
                  static_cast<unsigned>(data4[3]), static_cast<unsigned>(data4[4]), static_cast<unsigned>(data4[5]),
                  static_cast<unsigned>(data4[6]), static_cast<unsigned>(data4[7]));
    return buffer;
}

}  // namespace com
