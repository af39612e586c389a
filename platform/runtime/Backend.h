#pragma once
// What a runtime backend (real windows, the terminal, scripted answers) does
// for the runtime. Backends are chosen by the host program, never by the
// add-in, which only calls the runtime's functions.
#include <string>

#include "platform/runtime/Form.h"
#include "platform/runtime/Picture.h"

namespace runtime {

struct MessageBoxRequest {
    std::string prompt;
    int style = 0;      // button and icon values, see Interaction.h
    std::string title;  // already resolved: never empty
};

class Backend {
public:
    virtual ~Backend() = default;

    // Shows a message box and returns the button pressed (1 OK, 2 Cancel).
    virtual int messageBox(const MessageBoxRequest& request) = 0;
    // Shows a loaded window modally: activates it, forwards the user's
    // actions, and returns once the window has unloaded itself.
    virtual void showModal(Form& form) = 0;
    // Handles pending window events once.
    virtual void processEvents() = 0;
    // Asks the desktop to open a file in its viewer; false when it cannot.
    virtual bool openDocument(const std::string& path) = 0;

    // The system clipboard.
    virtual void clearClipboard() = 0;
    virtual void setClipboardPicture(const Picture& picture) = 0;
    virtual Picture clipboardPicture() const = 0;

protected:
    Backend() = default;
};

}  // namespace runtime
