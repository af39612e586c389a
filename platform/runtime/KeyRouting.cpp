#include "platform/runtime/KeyRouting.h"

#include "platform/runtime/Interaction.h"

namespace runtime {

namespace {

constexpr int ButtonMask = 0xF;

bool focusTakesEnter(const Form& form) {
    for (const Control& c : form.controls())
        if (c.name == form.focus()) return takesEnter(c);
    return false;
}

}  // namespace

KeyRoute routeKey(Form& form, int code) {
    KeyRoute route{KeyAction::PassOn, code, FormSawKey::No};
    if (form.keyPreview() && code != 0) {
        form.keyPress(route.code);
        route.seen = FormSawKey::Yes;
        if (!form.loaded() || route.code == 0) {
            route.action = KeyAction::Used;
            return route;
        }
    }
    if (route.code == keyAscii::Enter)
        route.action = focusTakesEnter(form) ? KeyAction::PressFocusedButton : KeyAction::Used;
    else if (route.code == keyAscii::Escape)
        route.action = KeyAction::Used;
    else if (route.code != code)
        route.action = KeyAction::PassOnChanged;
    return route;
}

bool takesEnter(const Control& control) {
    return control.kind == ControlKind::CommandButton && control.visible;
}

bool keyHasEffect(const Form& form, int code) {
    return form.keyPreview() || (code == keyAscii::Enter && focusTakesEnter(form));
}

void highlightEntry(Form& form, std::string_view list, int entry) {
    form.control(list).listIndex = entry;
    form.click(list);
}

void doubleClickEntry(Form& form, std::string_view list, int entry) {
    form.control(list).listIndex = entry;
    form.doubleClick(list);
}

void chooseEntry(Form& form, std::string_view list, int entry) {
    highlightEntry(form, list, entry);
    // The click's handler may have moved the highlight; the double click finds it there.
    form.doubleClick(list);
}

bool hasCancelButton(int style) {
    return (style & ButtonMask) == vbOKCancel;
}

int escapeAnswer(int style) {
    return hasCancelButton(style) ? vbCancel : vbOK;
}

}  // namespace runtime
