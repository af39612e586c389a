#pragma once
// Writing a text so that the characters a file or record format gives a
// meaning of its own travel as escapes, and reading it back. One rule set per
// format: each character to escape with the escape that stands for it.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace win32 {

struct Escape {
    char character;
    std::string_view text;  // never empty; stands for `character`
};

// What becomes of control characters that no Escape names.
enum class OtherControls {
    Kept,   // written as they are
    AsHex,  // written as \xNN (two upper-case hex digits)
};

// What reading does with an escape character that starts no known escape.
enum class UnknownEscapes {
    Fail,  // the text is not of the format
    Kept,  // it stands for itself
};

struct EscapeRules {
    std::span<const Escape> escapes;
    OtherControls otherControls = OtherControls::Kept;
};

// `text` with each character of `rules` replaced by its escape.
std::string escaped(std::string_view text, const EscapeRules& rules);

// The text that `escaped` wrote: each escape of `rules` read back. An escape
// character is the first one of any escape; one that starts none of them is
// handled as `unknown` says. Nothing when it says Fail and one is met. \xNN
// is not read back.
std::optional<std::string> unescaped(std::string_view text, const EscapeRules& rules, UnknownEscapes unknown);

// A text as a C-style quoted string: \r \n \t \\ \" escaped, other control
// characters as \xNN, everything else as it is (UTF-8).
std::string quoted(std::string_view text);

}  // namespace win32
