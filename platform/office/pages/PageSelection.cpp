#include "platform/office/pages/PageSelection.h"

#include <algorithm>
#include <charconv>

namespace office {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<std::int32_t> pageNumber(std::string_view text) {
    text = trimmed(text);
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < 1) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

std::vector<std::int32_t> allPages(std::int32_t pageCount) {
    return pageSpan(1, pageCount, pageCount);
}

std::vector<std::int32_t> pageSpan(std::int32_t from, std::int32_t to, std::int32_t pageCount) {
    std::vector<std::int32_t> pages;
    for (std::int32_t page = std::max(from, 1); page <= std::min(to, pageCount); ++page) pages.push_back(page);
    return pages;
}

std::optional<std::vector<std::int32_t>> pageList(std::string_view text, std::int32_t pageCount) {
    std::vector<std::int32_t> pages;
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const std::size_t dash = item.find('-');
        const std::optional<std::int32_t> from = pageNumber(item.substr(0, dash));
        const std::optional<std::int32_t> to =
            dash == std::string_view::npos ? from : pageNumber(item.substr(dash + 1));
        if (!from || !to || *to < *from) return std::nullopt;
        const std::vector<std::int32_t> span = pageSpan(*from, *to, pageCount);
        pages.insert(pages.end(), span.begin(), span.end());
        if (comma == std::string_view::npos) return pages;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace office
