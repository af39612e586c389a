#include "Codepage.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace win32 {

namespace {

// The characters of bytes 0x80 to 0x9F; the rest of Windows-1252 equals
// Latin-1. The five undefined bytes stand for the control character of the
// same number, so that every byte survives the trip to UTF-8 and back.
constexpr std::array<char32_t, 32> kHighCharacters = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kInvalid = 0xFFFFFFFF;

void appendUtf8(std::string& out, char32_t c) {
    auto put = [&out](char32_t byte) { out.push_back(static_cast<char>(static_cast<unsigned char>(byte))); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else {
        // Windows-1252 reaches no further than the Basic Multilingual Plane.
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

struct Decoded {
    char32_t character;
    std::size_t length;
};

// The character at the start of `text`; an invalid sequence decodes to
// kInvalid with the length of its longest valid-looking start, so that one
// broken sequence gives one "?" and the byte after it is read afresh.
Decoded decode(std::string_view text) {
    auto byteAt = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byteAt(0);
    if (lead < 0x80) return {lead, 1};

    std::size_t trailing = 0;
    char32_t character = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        character = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        character = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // overlong
        high = lead == 0xED ? 0x9F : 0xBF;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        character = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;   // overlong
        high = lead == 0xF4 ? 0x8F : 0xBF;  // beyond U+10FFFF
    } else {
        return {kInvalid, 1};
    }

    for (std::size_t i = 1; i <= trailing; ++i) {
        if (i >= text.size() || byteAt(i) < low || byteAt(i) > high) return {kInvalid, i};
        character = (character << 6) | (byteAt(i) & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {character, trailing + 1};
}

// The character's Windows-1252 byte; none when the code page lacks it.
std::optional<char> ansiByte(char32_t c) {
    auto byte = [](auto value) { return static_cast<char>(static_cast<unsigned char>(value)); };
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return byte(c);
    auto found = std::ranges::find(kHighCharacters, c);
    if (found != kHighCharacters.end()) return byte(0x80 + std::distance(kHighCharacters.begin(), found));
    return std::nullopt;
}

char toAnsi(char32_t c) {
    return ansiByte(c).value_or('?');
}

}  // namespace

std::string ansiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) {
        auto byte = static_cast<unsigned char>(c);
        appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighCharacters[byte - 0x80u] : char32_t{byte});
    }
    return out;
}

std::string utf8ToAnsi(std::string_view utf8, InvalidUtf8 invalid) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        auto decoded = decode(utf8);
        if (decoded.character != kInvalid)
            out.push_back(toAnsi(decoded.character));
        else if (invalid == InvalidUtf8::KeepBytes)
            out.append(utf8.substr(0, decoded.length));
        else
            out.push_back('?');
        utf8.remove_prefix(decoded.length);
    }
    return out;
}

bool fitsAnsi(std::string_view utf8) {
    while (!utf8.empty()) {
        const auto decoded = decode(utf8);
        if (decoded.character == kInvalid || !ansiByte(decoded.character)) return false;
        utf8.remove_prefix(decoded.length);
    }
    return true;
}

bool isUtf8(std::string_view text) {
    while (!text.empty()) {
        const auto decoded = decode(text);
        if (decoded.character == kInvalid) return false;
        text.remove_prefix(decoded.length);
    }
    return true;
}

}  // namespace win32
