#include "platform/office/libreoffice/ToolbarCommand.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "platform/office/libreoffice/HostsEntry.h"

namespace office::libreoffice {

std::string controlCommand(const std::string& bar, std::size_t position) {
    return kCommandPrefix + bar + "/" + std::to_string(position);
}

std::optional<ControlCommand> parseCommand(const std::string& command) {
    const std::string_view prefix = kCommandPrefix;
    if (!command.starts_with(prefix)) return std::nullopt;
    const std::size_t slash = command.rfind('/');
    if (slash == std::string::npos || slash < prefix.size() || slash + 1 == command.size()) return std::nullopt;
    ControlCommand result{.bar = command.substr(prefix.size(), slash - prefix.size()), .position = 0, .caption = {}};
    const std::string_view name = std::string_view(command).substr(slash + 1);
    // Digits are a position, as for Controls.Item; anything else a caption.
    if (!std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        result.caption = name;
        return result;
    }
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), result.position);
    if (error != std::errc() || end != name.data() + name.size() || result.position < 1) return std::nullopt;
    return result;
}

}  // namespace office::libreoffice
