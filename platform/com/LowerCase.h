#pragma once
// Names that match without regard to case (ProgIDs, moniker prefixes) are
// kept in lower case; so are option names, answers and image names that the
// platform's programs compare. ASCII only, as such names are.
#include <string>
#include <string_view>

namespace com {

inline std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace com
