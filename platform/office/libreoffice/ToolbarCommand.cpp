#include "platform/office/libreoffice/ToolbarCommand.h"

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
    if (slash == std::string::npos || slash < prefix.size()) return std::nullopt;
    ControlCommand result{.bar = command.substr(prefix.size(), slash - prefix.size())};
    const char* first = command.data() + slash + 1;
    const char* last = command.data() + command.size();
    const auto [end, error] = std::from_chars(first, last, result.position);
    if (error != std::errc() || end != last || result.position < 1) return std::nullopt;
    return result;
}

}  // namespace office::libreoffice
