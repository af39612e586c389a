#include "platform/runtime/Form.h"

#include <algorithm>
#include <stdexcept>

namespace runtime {

namespace {

bool canTakeFocus(ControlKind kind) {
    return kind == ControlKind::ListBox || kind == ControlKind::CommandButton || kind == ControlKind::CheckBox;
}

}  // namespace

Form::Form(std::string caption, int clientWidth, int clientHeight)
    : caption_(std::move(caption)), clientWidth_(clientWidth), clientHeight_(clientHeight) {}

Control& Form::control(std::string_view name) {
    auto it = std::find_if(controls_.begin(), controls_.end(), [&](const Control& c) { return c.name == name; });
    if (it == controls_.end()) throw std::out_of_range("no control " + std::string(name));
    return *it;
}

const Control& Form::control(std::string_view name) const {
    return const_cast<Form*>(this)->control(name);  // NOLINT(cppcoreguidelines-pro-type-const-cast)
}

void Form::setFocus(std::string_view controlName) {
    focus_ = control(controlName).name;
}

void Form::load() {
    if (loaded_) return;
    controls_ = design();
    focus_.clear();
    int best = -1;
    for (const Control& c : controls_) {
        if (!canTakeFocus(c.kind) || c.tabIndex < 0) continue;
        if (best < 0 || c.tabIndex < best) {
            best = c.tabIndex;
            focus_ = c.name;
        }
    }
    loaded_ = true;
    onLoad();
}

void Form::unload(UnloadReason reason) {
    if (!loaded_) return;
    onUnload(reason);
    loaded_ = false;
}

}  // namespace runtime
