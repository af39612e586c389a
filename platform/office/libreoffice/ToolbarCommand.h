#pragma once
// The commands that stand for the controls of a host's bar, as Controls.Item
// takes them: vnd.kalmora:<bar>/<n> names the n-th control of the bar (the
// toolbar items, ToolbarItems.h), vnd.kalmora:<bar>/<caption> the first
// control with that caption (the extension's fixed entries, which cannot know
// the position). Plain text, without the office.
#include <cstddef>
#include <optional>
#include <string>

namespace office::libreoffice {

struct ControlCommand {
    std::string bar;
    int position = 0;     // 1-based; 0 when the caption names the control
    std::string caption;  // empty when the position names it
};

// The command of the control at `position` of `bar`.
std::string controlCommand(const std::string& bar, std::size_t position);

// The bar and the control that a command names; none for another command, an
// empty name, or digits that are no position from 1 on.
std::optional<ControlCommand> parseCommand(const std::string& command);

}  // namespace office::libreoffice
