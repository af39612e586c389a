#pragma once
// The pages a print call asks for, as page numbers in the order they print.
// Pages past the end of the document are left out, so that a request such as
// "from page 2 on" may hold no page at all.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace office {

// Pages 1 to `pageCount`.
std::vector<std::int32_t> allPages(std::int32_t pageCount);

// Pages `from` to `to`; a span that reaches past the end stops at the last
// page, one that starts before page 1 starts there.
std::vector<std::int32_t> pageSpan(std::int32_t from, std::int32_t to, std::int32_t pageCount);

// A list of pages and spans such as "1,3-4", blanks allowed around the
// numbers; none when the text is no such list (an empty one included).
std::optional<std::vector<std::int32_t>> pageList(std::string_view text, std::int32_t pageCount);

}  // namespace office
