#include "EscapedText.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace win32 {

namespace {

constexpr std::array<Escape, 5> CStyle{{
    {'\r', "\\r"},
    {'\n', "\\n"},
    {'\t', "\\t"},
    {'\\', "\\\\"},
    {'"', "\\\""},
}};

bool startsAnEscape(char c, const EscapeRules& rules) {
    return std::ranges::any_of(rules.escapes, [c](const Escape& e) { return e.text.front() == c; });
}

}  // namespace

std::string escaped(std::string_view text, const EscapeRules& rules) {
    std::string out;
    for (const char c : text) {
        const auto found = std::ranges::find(rules.escapes, c, &Escape::character);
        if (found != rules.escapes.end()) {
            out += found->text;
        } else if (rules.otherControls == OtherControls::AsHex && static_cast<unsigned char>(c) < 0x20) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text, const EscapeRules& rules, UnknownEscapes unknown) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        const auto found =
            std::ranges::find_if(rules.escapes, [rest](const Escape& e) { return rest.starts_with(e.text); });
        if (found != rules.escapes.end()) {
            out += found->character;
            i += found->text.size();
            continue;
        }
        if (unknown == UnknownEscapes::Fail && startsAnEscape(text[i], rules)) return std::nullopt;
        out += text[i++];
    }
    return out;
}

std::string quoted(std::string_view text) {
    return "\"" + escaped(text, {.escapes = CStyle, .otherControls = OtherControls::AsHex}) + "\"";
}

}  // namespace win32
