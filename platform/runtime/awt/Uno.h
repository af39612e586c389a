#pragma once
// Texts as the toolkit shows them (the office's UNO helpers are in
// platform/uno/UnoText.h).
#include <string>
#include <string_view>

#include "platform/uno/UnoText.h"

namespace runtime::awt {

// Captions come with CR LF or LF line breaks (and the odd lone CR); the
// toolkit breaks lines on LF only.
inline rtl::OUString unoLines(std::string_view utf8) {
    std::string lines;
    lines.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] != '\r') {
            lines += utf8[i];
        } else if (i + 1 == utf8.size() || utf8[i + 1] != '\n') {
            lines += '\n';
        }
    }
    return uno::text(lines);
}

}  // namespace runtime::awt
