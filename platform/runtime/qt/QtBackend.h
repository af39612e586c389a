#pragma once
// The backend that shows windows and message boxes for real, with Qt Widgets.
//
// It needs a QApplication: the host program creates one before it makes the
// backend and keeps it until the backend is gone, and calls the runtime from
// the thread that created it. Windows and message boxes run their own modal
// event loops, so the host needs no running event loop of its own.
#include "platform/runtime/Backend.h"

namespace runtime {

class QtBackend final : public Backend {
public:
    // Throws std::logic_error when no QApplication exists.
    QtBackend();

    int messageBox(const MessageBoxRequest& request) override;
    void showModal(Form& form) override;
    void processEvents() override;
    bool openDocument(const std::string& path) override;
    void clearClipboard() override;
    void setClipboardPicture(const Picture& picture) override;
    // The picture last set through the backend, with its own bytes, while the
    // clipboard still holds its pixels; any other image as a bitmap picture;
    // an empty picture when the clipboard holds no image.
    Picture clipboardPicture() const override;

    // Offscreen pictures of what the user would see, as bitmap pictures, for
    // previews and checks of the layouts. Nothing is shown on screen and none
    // of the form's code runs.
    //
    // The window's client area as its model stands; a form that is not loaded
    // has no controls, so load it first.
    Picture renderWindow(const Form& form) const;
    // The message box, frame excluded.
    Picture renderMessageBox(const MessageBoxRequest& request) const;

private:
    Picture clipboard_;  // what setClipboardPicture was given last
};

}  // namespace runtime
