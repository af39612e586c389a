#pragma once
// A form shown modally in the office's toolkit: its windows (FormWindow.h)
// in a dialog that hands the user's actions to the form's code and ends when
// the form unloads.
#include <com/sun/star/awt/XKeyHandler.hpp>
#include <com/sun/star/awt/XTopWindowListener.hpp>
#include <rtl/ref.hxx>
#include <string_view>

#include "platform/runtime/Form.h"
#include "platform/runtime/awt/FormWindow.h"

namespace runtime::awt {

class FormDialog {
public:
    // Builds the dialog from the loaded form, modal on `parent` (none when
    // null); the form must outlive it.
    FormDialog(Form& form, const WindowMaker& maker, const css::uno::Reference<css::awt::XWindowPeer>& parent);
    ~FormDialog();
    FormDialog(const FormDialog&) = delete;
    FormDialog& operator=(const FormDialog&) = delete;

    // Shows the dialog modally, activates the form once it appears, and
    // returns once the form has unloaded itself through one of the actions
    // forwarded to it.
    void run();

private:
    class ControlEvents;
    class WindowEvents;

    // The user's actions on the controls, as the toolkit reports them.
    void highlighted(std::string_view control, int index);
    void doubleClicked(std::string_view control);
    void pressed(std::string_view control);
    void ticked(std::string_view control, bool ticked);
    // The dialog appeared; the close box (or the window manager) closes it.
    void opened();
    void closing();
    // A key pressed while the dialog is active, routed as KeyRouting.h has
    // it; true when it is used up.
    bool keyPressed(const css::awt::KeyEvent& key);

    void watch(const FormWindow::Shown& shown);
    // Before every forwarded action: the control that has the focus now
    // becomes the form's focus, so that the form's code sees the user's own
    // focus moves (Tab, clicks) and showing the model does not pull them back.
    void takeFocus();
    // After every forwarded action: show what the form's code changed, or
    // end the display when it unloaded the form.
    void afterAction();

    Form& form_;
    const WindowMaker& maker_;
    FormWindow window_;
    rtl::Reference<WindowEvents> windowEvents_;
    std::vector<rtl::Reference<ControlEvents>> controlEvents_;
    bool activated_ = false;
    bool refreshing_ = false;
};

}  // namespace runtime::awt
