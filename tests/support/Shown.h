#pragma once
// The lines that the scripted windows record for what the export command
// shows (see ScriptBackend.h).
#include <string>

#include "platform/runtime/script/ScriptBackend.h"

// The record lines of the export command's own message boxes.
namespace shown {
inline const std::string title = "COM-Add-In: Erzeuge PDF mit Kalmora";
inline std::string box(int style, const std::string& caption, const std::string& text, int answer) {
    return "msgbox style=" + std::to_string(style) + " title=" + runtime::quoted(caption) +
           " text=" + runtime::quoted(text) + " -> " + std::to_string(answer);
}
inline std::string abort(const std::string& failure) {
    return box(16, title, "Abbruch\n\n Kein PDF-Ausdruck!\r\n" + failure, 1);
}
inline const std::string choice = R"(choice caption="Auswahl mit Doppelklick bestätigen")";
}  // namespace shown
