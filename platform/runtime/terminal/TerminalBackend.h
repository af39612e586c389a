#pragma once
// The backend for a host without a display: every message box and window is
// shown on a terminal as text with numbered answers, one answer a line.
//
// A message box lists its buttons ("1) OK  2) Abbrechen"); an empty line is
// OK, "0" or Escape is Cancel when the box has one (else OK). A window lists
// its labels, then what can be done: list entries by number (a double-click),
// command buttons by number in tab order, check boxes by letter (toggle),
// "x" for the close box, an empty line for Enter and "esc" for Escape. Any
// other answer is asked again. When the input ends, a message box gives
// Cancel (OK without one) and a window is closed by its close box.
#include <iosfwd>
#include <memory>
#include <string>

#include "platform/runtime/OwnClipboardBackend.h"

namespace runtime {

class TerminalBackend final : public OwnClipboardBackend {
public:
    // Talks on the given streams, which must outlive the backend.
    TerminalBackend(std::istream& in, std::ostream& out);
    ~TerminalBackend() override;
    TerminalBackend(const TerminalBackend&) = delete;
    TerminalBackend& operator=(const TerminalBackend&) = delete;

    // Talks on the controlling terminal (/dev/tty), so that it works even when
    // standard input and output are redirected; throws std::runtime_error
    // when the process has no controlling terminal.
    static std::unique_ptr<TerminalBackend> openControllingTerminal();

    int messageBox(const MessageBoxRequest& request) override;
    void showModal(Form& form) override;
    void processEvents() override;
    // Only tells the user which file to open: a terminal has no viewer.
    bool openDocument(const std::string& path) override;

private:
    struct OwnStreams;
    // The next answer, without surrounding blanks; false at the end of input.
    bool readAnswer(std::string& answer);
    void askAgain();

    std::unique_ptr<OwnStreams> own_;  // set when the backend opened the terminal itself
    std::istream& in_;
    std::ostream& out_;
};

}  // namespace runtime
