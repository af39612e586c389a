#include "platform/com/Dispatch.h"

#include <algorithm>

namespace com {

namespace {

char lower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) noexcept {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return lower(x) == lower(y); });
}

const Variant* Arguments::find(std::size_t position, std::string_view name) const noexcept {
    if (position < positional.size()) return &positional[position];
    for (const NamedArgument& argument : named) {
        if (sameName(argument.name, name)) return &argument.value;
    }
    return nullptr;
}

}  // namespace com
