#pragma once
// The runtime's functions for talking to the user.
#include <optional>
#include <string>

#include "platform/runtime/Form.h"

namespace runtime {

// Message box style values; add one button value and one icon value.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
// Results.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;

// Shows a message box; without a title it shows the project's title.
int MsgBox(const std::string& prompt, int style = vbOKOnly, const std::optional<std::string>& title = std::nullopt);

// Loads the window if needed and shows it modally; returns once it has
// unloaded itself.
void ShowModal(Form& form);

// Handles pending window events once.
void DoEvents();

// Window styles of Shell.
inline constexpr int vbHide = 0;
inline constexpr int vbNormalFocus = 1;

// Starts a command line without waiting for it (split as Windows splits it,
// no shell) and returns the process id. Raises 53 when the program cannot be
// found or started, 5 for a window style the runtime does not know.
int Shell(const std::string& commandLine, int windowStyle = vbHide);

// Deletes a file; raises 53 (missing), 76 (path missing), 70 (locked,
// read-only, a folder) as com::Error.
void Kill(const std::string& path);

// The number of characters (not bytes) of a UTF-8 text.
std::size_t Len(const std::string& text);

}  // namespace runtime
