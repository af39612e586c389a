#pragma once
// Makes the office toolkit's windows at pixel positions: fixed modal dialogs
// and the controls in them. Each is a window peer whose toolkit interfaces
// (XWindow, XButton, XListBox, ...) it answers by query.
#include <com/sun/star/awt/XToolkit2.hpp>
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

namespace runtime::awt {

namespace css = com::sun::star;

// A control's place in its dialog's client area, in pixels.
struct PixelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class WindowMaker {
public:
    explicit WindowMaker(const css::uno::Reference<css::uno::XComponentContext>& context);

    const css::uno::Reference<css::uno::XComponentContext>& context() const noexcept { return context_; }
    const css::uno::Reference<css::awt::XToolkit2>& toolkit() const noexcept { return toolkit_; }

    // A dialog with a title and a close box, not resizable, not shown yet;
    // give it its client size with resize(). Executed, it is modal on
    // `parent` (none when null) and the toolkit centres it on the parent,
    // else on the screen.
    css::uno::Reference<css::awt::XWindowPeer> dialog(const css::uno::Reference<css::awt::XWindowPeer>& parent,
                                                      const std::string& title) const;

    // A control in `dialog`: `kind` is the toolkit's name of the window
    // ("listbox", "fixedtext", "pushbutton", ...), `attributes` its
    // VclWindowPeerAttribute values. Shown with the dialog.
    css::uno::Reference<css::awt::XWindowPeer> control(const css::uno::Reference<css::awt::XWindowPeer>& dialog,
                                                       const char* kind, const PixelBox& box,
                                                       sal_Int32 attributes = 0) const;

    // The density, in dots per inch, at which the toolkit maps measures on
    // `window` to its pixels.
    static double dotsPerInch(const css::uno::Reference<css::awt::XWindowPeer>& window);

    // Gives a dialog its client size, in pixels. Its place stays the
    // toolkit's choice.
    static void resize(const css::uno::Reference<css::awt::XWindowPeer>& dialog, int width, int height);
    // Moves a control to its place in its dialog.
    static void place(const css::uno::Reference<css::awt::XWindowPeer>& control, const PixelBox& box);

    // Sets a property of the peer's window ("Label", "HelpText", ...).
    static void setProperty(const css::uno::Reference<css::awt::XWindowPeer>& peer, const char* name,
                            const css::uno::Any& value);

private:
    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::awt::XToolkit2> toolkit_;
};

}  // namespace runtime::awt
