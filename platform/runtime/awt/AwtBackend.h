#pragma once
// The backend that shows windows and message boxes with the office's own
// toolkit (UNO awt), for the add-in inside a LibreOffice process, where Qt
// cannot run: the office's toolkit owns the event loop. Windows and message
// boxes are the toolkit's modal dialogs, which run the office's event loop
// while they wait.
//
// All calls come on the office's main thread; a program that drives an
// office over a UNO bridge calls from one thread at a time. Users generate
// the UNO headers of com.sun.star.awt.XWindowPeer and
// com.sun.star.uno.XComponentContext themselves (cmake/Uno.cmake).
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <functional>
#include <memory>

#include "platform/runtime/Backend.h"

namespace runtime {

namespace awt {
class AwtClipboard;
class WindowMaker;
}  // namespace awt

class AwtBackend final : public Backend {
public:
    // The window that windows and message boxes are modal on, asked anew for
    // each: the document's frame window. When it yields null (or is empty),
    // they are modal on the desktop's current frame, else on none.
    using ParentWindow = std::function<css::uno::Reference<css::awt::XWindowPeer>()>;

    // While an object of this class lives, a message box with OK alone that
    // the thread which made it asks for answers OK at once and stays until
    // the user closes it: what a press in another window during a run says
    // must not hold that run up.
    class NothingAwaited {
    public:
        NothingAwaited();
        ~NothingAwaited();
        NothingAwaited(const NothingAwaited&) = delete;
        NothingAwaited& operator=(const NothingAwaited&) = delete;
    };

    // Throws css::uno::Exception when the office has no toolkit or clipboard.
    AwtBackend(const css::uno::Reference<css::uno::XComponentContext>& context, ParentWindow parent);
    ~AwtBackend() override;

    int messageBox(const MessageBoxRequest& request) override;
    // Fixed dialogs laid out from the twips, centred on the parent (or the
    // screen). The toolkit sets no window icon of a form's own.
    void showModal(Form& form) override;
    // The toolkit's reschedule: handles pending events once.
    void processEvents() override;
    // Hands the file to the office's SystemShellExecute, which starts the
    // desktop's `xdg-open`, found on the office process's PATH, without
    // waiting for it; false when the office refuses.
    bool openDocument(const std::string& path) override;
    void clearClipboard() override;
    void setClipboardPicture(const Picture& picture) override;
    // The picture last set through the backend, with its own bytes, while the
    // clipboard still holds it; any other image as a bitmap picture; an empty
    // picture when the clipboard holds no image.
    Picture clipboardPicture() const override;

private:
    css::uno::Reference<css::awt::XWindowPeer> parent() const;

    css::uno::Reference<css::uno::XComponentContext> context_;
    ParentWindow parent_;
    std::unique_ptr<awt::WindowMaker> maker_;
    std::unique_ptr<awt::AwtClipboard> clipboard_;
};

}  // namespace runtime
