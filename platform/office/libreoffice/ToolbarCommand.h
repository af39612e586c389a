#pragma once
// The commands of the toolbar items that stand for the controls of a host's
// bar: vnd.kalmora:<bar>/<n> names the n-th control of the bar, as
// Controls.Item counts (ToolbarItems.h). Plain text, without the office.
#include <cstddef>
#include <optional>
#include <string>

namespace office::libreoffice {

struct ControlCommand {
    std::string bar;
    int position = 0;  // 1-based
};

// The command of the control at `position` of `bar`.
std::string controlCommand(const std::string& bar, std::size_t position);

// The bar and the position of the control that a command names; none for
// another command, or one whose position is no whole number from 1 on.
std::optional<ControlCommand> parseCommand(const std::string& command);

}  // namespace office::libreoffice
