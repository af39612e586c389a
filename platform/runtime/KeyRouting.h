#pragma once
// How a shown window treats the user's keys and list double-clicks, the same
// in every backend: a backend translates its toolkit's events into these
// calls and carries out what they decide, so that a window answers Enter and
// Escape alike in the office, in Qt, on the terminal and in scripted answers.
#include <string_view>

#include "platform/runtime/Form.h"

namespace runtime {

// The character codes that a window's key handler sees for the keys that
// windows treat on their own. Delete makes no character: a backend passes 0
// for it, as for every key that makes none (arrows, function keys, Tab).
namespace keyAscii {
inline constexpr int Backspace = 8;
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Delete = 127;
}  // namespace keyAscii

// What the backend does with a key once the window has had its say.
enum class KeyAction {
    Used,                // nothing more: the key is used up
    PassOn,              // the focused control gets the key as pressed
    PassOnChanged,       // the focused control gets KeyRoute::code instead
    PressFocusedButton,  // the focused button is pressed, as by a click
};
// Whether the form's key handler ran, so that the backend shows what it changed.
enum class FormSawKey { No, Yes };

struct KeyRoute {
    KeyAction action = KeyAction::PassOn;
    int code = 0;  // the character the form left of the key
    FormSawKey seen = FormSawKey::No;
};

// Routes a key pressed in a shown, loaded window; `code` is its character
// code, 0 for a key that makes none. With the form's key preview on, a key
// that makes a character reaches the form's key handler first, which may
// change or clear it; a cleared key, or one that unloads the form, is used
// up. Then Enter presses the focused button (no button is the window's
// default) and is used up elsewhere; Escape is used up, as the window itself
// closes nothing; any other key goes on to the focused control, changed if
// the form changed it.
KeyRoute routeKey(Form& form, int code);

// Whether Enter on this control presses it: a shown push button does.
bool takesEnter(const Control& control);
// Whether the key does anything in the window as it stands: every key that
// the form previews does, Enter does where it presses a button.
bool keyHasEffect(const Form& form, int code);

// The user moved the highlight of a list to `entry`, by mouse or key: for the
// form that is a click on the list.
void highlightEntry(Form& form, std::string_view list, int entry);
// The second click of a double click on `entry` of a list, whose first click
// has highlighted it already.
void doubleClickEntry(Form& form, std::string_view list, int entry);
// A whole double click on `entry`, for backends that see it as one answer:
// the first click highlights the entry, the second completes the double click.
void chooseEntry(Form& form, std::string_view list, int entry);

// Whether a message box of `style` (Interaction.h) has a Cancel button.
bool hasCancelButton(int style);
// What Escape, or closing it otherwise, answers in a message box of `style`:
// its Cancel, or OK on a box without one.
int escapeAnswer(int style);

}  // namespace runtime
