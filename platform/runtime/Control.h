#pragma once
// One control of a window as the window's code describes it; a backend builds
// its widget from this description and writes the user's changes back
// (the highlighted list entry, the check box state) before it forwards events.
#include <string>
#include <vector>

#include "platform/runtime/Picture.h"

namespace runtime {

enum class ControlKind { ListBox, Label, PictureBox, Image, CommandButton, CheckBox };
enum class Alignment { Left, Center, Right };

struct Font {
    std::string name{};  // empty: the toolkit's default dialog font
    double points = 0;
};

struct Control {
    std::string name{};  // e.g. "List1", "OKButton"
    ControlKind kind = ControlKind::Label;
    // Position and size in twips (15 twips per pixel at 96 dpi), relative to
    // the client area.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = -1;  // -1: not in the tab order
    std::string caption{};
    std::vector<std::string> items{};  // list box entries
    int listIndex = -1;                // highlighted list entry, -1 none
    int value = 0;                     // check box: 0 unticked, 1 ticked
    Font font{};
    std::string toolTip{};
    Alignment alignment = Alignment::Left;
    Picture picture{};  // picture box and image
    bool visible = true;
    // The word by which scripted answers and the terminal name this control's
    // action, e.g. "overwrite" for a button; empty when it has none.
    std::string answer{};
};

}  // namespace runtime
