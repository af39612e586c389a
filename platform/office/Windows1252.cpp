#include "platform/office/Windows1252.h"

#include <array>
#include <cstdint>
#include <optional>

namespace office {

namespace {

// The code points that Windows-1252 places at 0x80..0x9F, where Latin-1 has
// control characters; 0 marks the five unused positions.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::optional<char> encode(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(static_cast<unsigned char>(codePoint));
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == codePoint) {
            return static_cast<char>(static_cast<unsigned char>(0x80 + i));
        }
    }
    return std::nullopt;
}

struct Decoded {
    char32_t codePoint;
    std::size_t length;  // bytes taken from the input
};

// One UTF-8 sequence at the start of `text`; none when it is malformed,
// overlong or cut off.
std::optional<Decoded> decode(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t codePoint = 0;
    if (lead < 0x80) return Decoded{lead, 1};
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07u;
    } else {
        return std::nullopt;
    }
    if (text.size() < length) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return std::nullopt;
        codePoint = (codePoint << 6) | (byte(i) & 0x3Fu);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF) return std::nullopt;
    return Decoded{codePoint, length};
}

}  // namespace

std::string toWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::optional<Decoded> decoded = decode(utf8);
        if (!decoded) {
            out += utf8.front();
            utf8.remove_prefix(1);
            continue;
        }
        out += encode(decoded->codePoint).value_or('?');
        utf8.remove_prefix(decoded->length);
    }
    return out;
}

}  // namespace office
