#include "platform/runtime/awt/FormDialog.h"

#include <com/sun/star/awt/Key.hpp>
#include <com/sun/star/awt/XButton.hpp>
#include <com/sun/star/awt/XCheckBox.hpp>
#include <com/sun/star/awt/XDialog.hpp>
#include <com/sun/star/awt/XExtendedToolkit.hpp>
#include <com/sun/star/awt/XListBox.hpp>
#include <com/sun/star/awt/XToolkitRobot.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <cppuhelper/implbase2.hxx>
#include <string>

#include "platform/runtime/KeyRouting.h"

namespace runtime::awt {

namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// The character code of a key press as a window's key handler sees it; 0 for
// keys that make no character (arrows, function keys, Tab, which moves the
// focus instead).
int characterCode(const css::awt::KeyEvent& key) {
    switch (key.KeyCode) {
        case css::awt::Key::RETURN: return keyAscii::Enter;
        case css::awt::Key::ESCAPE: return keyAscii::Escape;
        case css::awt::Key::BACKSPACE: return keyAscii::Backspace;
        case css::awt::Key::TAB:
        case css::awt::Key::DELETE: return 0;
        default: break;
    }
    return key.KeyChar == keyAscii::Delete ? 0 : key.KeyChar;
}

// Keeps a key handler installed in the toolkit for as long as it lives. The
// office calls the interface deprecated, yet its key handlers are the only
// ones that see a key before the window does, and can keep it from it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
class KeyHandling {
public:
    KeyHandling(const Reference<css::awt::XToolkit2>& toolkit, const Reference<css::awt::XKeyHandler>& handler)
        : toolkit_(toolkit, UNO_QUERY_THROW), handler_(handler) {
        toolkit_->addKeyHandler(handler_);
    }
    ~KeyHandling() {
        try {
            toolkit_->removeKeyHandler(handler_);
        } catch (const css::uno::Exception&) {
            // The office is gone with its toolkit.
        }
    }
    KeyHandling(const KeyHandling&) = delete;
    KeyHandling& operator=(const KeyHandling&) = delete;

private:
    Reference<css::awt::XExtendedToolkit> toolkit_;
    Reference<css::awt::XKeyHandler> handler_;
};
#pragma GCC diagnostic pop

}  // namespace

// What the toolkit reports of one control, handed on under its name. Events
// that come after the display ended find no dialog and are dropped.
class FormDialog::ControlEvents : public cppu::WeakImplHelper2<css::awt::XActionListener, css::awt::XItemListener> {
public:
    ControlEvents(FormDialog& dialog, const FormWindow::Shown& shown)
        : dialog_(&dialog), name_(shown.name), kind_(shown.kind) {}
    void detach() noexcept { dialog_ = nullptr; }

    // A button's press, or a double click on a list entry.
    void SAL_CALL actionPerformed(const css::awt::ActionEvent&) override {
        if (!dialog_) return;
        if (kind_ == ControlKind::ListBox)
            dialog_->doubleClicked(name_);
        else
            dialog_->pressed(name_);
    }
    // A list's highlight moved, or a check box was ticked or unticked.
    void SAL_CALL itemStateChanged(const css::awt::ItemEvent& event) override {
        if (!dialog_) return;
        if (kind_ == ControlKind::ListBox)
            dialog_->highlighted(name_, event.Selected);
        else
            dialog_->ticked(name_, event.Selected != 0);
    }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

private:
    FormDialog* dialog_;
    std::string name_;
    ControlKind kind_;
};

// What the toolkit reports of the dialog: its appearing, its close box, and
// the keys pressed in it, which the toolkit's key handlers see before any
// window does.
class FormDialog::WindowEvents : public cppu::WeakImplHelper2<css::awt::XTopWindowListener, css::awt::XKeyHandler> {
public:
    WindowEvents(FormDialog& dialog) : dialog_(&dialog) {}
    void detach() noexcept { dialog_ = nullptr; }

    void SAL_CALL windowOpened(const css::lang::EventObject&) override {
        if (dialog_) dialog_->opened();
    }
    void SAL_CALL windowClosing(const css::lang::EventObject&) override {
        if (dialog_) dialog_->closing();
    }
    void SAL_CALL windowClosed(const css::lang::EventObject&) override {}
    void SAL_CALL windowMinimized(const css::lang::EventObject&) override {}
    void SAL_CALL windowNormalized(const css::lang::EventObject&) override {}
    void SAL_CALL windowActivated(const css::lang::EventObject&) override {}
    void SAL_CALL windowDeactivated(const css::lang::EventObject&) override {}
    sal_Bool SAL_CALL keyPressed(const css::awt::KeyEvent& key) override { return dialog_ && dialog_->keyPressed(key); }
    sal_Bool SAL_CALL keyReleased(const css::awt::KeyEvent&) override { return false; }
    void SAL_CALL disposing(const css::lang::EventObject&) override {}

private:
    FormDialog* dialog_;
};

FormDialog::FormDialog(Form& form, const WindowMaker& maker, const Reference<css::awt::XWindowPeer>& parent)
    : form_(form), maker_(maker), window_(form, maker, parent), windowEvents_(new WindowEvents(*this)) {
    Reference<css::awt::XTopWindow>(window_.dialog(), UNO_QUERY_THROW)->addTopWindowListener(windowEvents_.get());
    for (const FormWindow::Shown& shown : window_.shown()) watch(shown);
}

FormDialog::~FormDialog() {
    windowEvents_->detach();
    for (const auto& events : controlEvents_) events->detach();
}

void FormDialog::watch(const FormWindow::Shown& shown) {
    const Reference<css::awt::XWindowPeer>& peer = shown.peer;
    const rtl::Reference<ControlEvents> events(new ControlEvents(*this, shown));
    switch (shown.kind) {
        case ControlKind::ListBox: {
            const Reference<css::awt::XListBox> list(peer, UNO_QUERY_THROW);
            list->addItemListener(events.get());
            list->addActionListener(events.get());
            break;
        }
        case ControlKind::CommandButton:
            Reference<css::awt::XButton>(peer, UNO_QUERY_THROW)->addActionListener(events.get());
            break;
        case ControlKind::CheckBox:
            Reference<css::awt::XCheckBox>(peer, UNO_QUERY_THROW)->addItemListener(events.get());
            break;
        case ControlKind::Label:
        case ControlKind::PictureBox:
        case ControlKind::Image: return;
    }
    controlEvents_.push_back(events);
}

void FormDialog::run() {
    const KeyHandling keys(maker_.toolkit(), windowEvents_.get());
    // The close box ends the toolkit's display even when the form stays
    // loaded; the form's window then simply appears again.
    const Reference<css::awt::XDialog> dialog(window_.dialog(), UNO_QUERY_THROW);
    while (form_.loaded()) dialog->execute();
}

void FormDialog::highlighted(std::string_view control, int index) {
    // Moving the highlight is a click on the list, whether by mouse or key;
    // showing the model moves it too, and that is no click.
    if (refreshing_ || !form_.loaded()) return;
    takeFocus();
    highlightEntry(form_, control, index);
    afterAction();
}

void FormDialog::doubleClicked(std::string_view control) {
    if (!form_.loaded()) return;
    takeFocus();
    const Reference<css::awt::XListBox> list(window_.peer(control), UNO_QUERY_THROW);
    doubleClickEntry(form_, control, list->getSelectedItemPos());
    afterAction();
}

void FormDialog::pressed(std::string_view control) {
    if (!form_.loaded()) return;
    takeFocus();
    form_.click(control);
    afterAction();
}

void FormDialog::ticked(std::string_view control, bool ticked) {
    // The toolkit reports the check marks that showing the model sets as well.
    if (refreshing_ || !form_.loaded()) return;
    takeFocus();
    form_.control(control).value = ticked ? 1 : 0;
    form_.click(control);
    afterAction();
}

void FormDialog::takeFocus() {
    // The toolkit tells its windows' focus changes only later, in events of
    // their own; the user may act before they come.
    const FormWindow::Shown* list = nullptr;
    for (const FormWindow::Shown& shown : window_.shown()) {
        if (shown.kind == ControlKind::ListBox) {
            if (!list && form_.control(shown.name).visible) list = &shown;
        } else if (shown.kind == ControlKind::CommandButton || shown.kind == ControlKind::CheckBox) {
            if (Reference<css::awt::XWindow2>(shown.peer, UNO_QUERY_THROW)->hasFocus()) {
                form_.setFocus(shown.name);
                return;
            }
        }
    }
    // A list box keeps the focus in an inner window that its peer does not
    // own up to: the focus is in the list when no other control has it.
    if (list) form_.setFocus(list->name);
}

void FormDialog::opened() {
    if (activated_ || !form_.loaded()) return;
    activated_ = true;
    form_.activate();
    afterAction();
}

void FormDialog::closing() {
    if (form_.loaded()) {
        takeFocus();
        form_.close();
    }
    afterAction();
}

bool FormDialog::keyPressed(const css::awt::KeyEvent& key) {
    // The key handlers see the keys of every window of the office.
    if (!form_.loaded() || Reference<css::uno::XInterface>(key.Source, UNO_QUERY) !=
                               Reference<css::uno::XInterface>(window_.dialog(), UNO_QUERY))
        return false;
    const int original = characterCode(key);
    if (original != 0) takeFocus();
    const KeyRoute route = routeKey(form_, original);
    if (route.seen == FormSawKey::Yes) afterAction();
    switch (route.action) {
        case KeyAction::Used: return true;
        case KeyAction::PassOn: return false;
        case KeyAction::PressFocusedButton: pressed(std::string(form_.focus())); return true;
        case KeyAction::PassOnChanged: break;
    }
    // The focused control gets the character that the form left instead.
    css::awt::KeyEvent changed = key;
    changed.KeyCode = route.code == keyAscii::Backspace ? css::awt::Key::BACKSPACE : 0;
    changed.KeyChar = static_cast<sal_Unicode>(route.code);
    Reference<css::awt::XToolkitRobot>(maker_.toolkit(), UNO_QUERY_THROW)->keyPress(changed);
    return true;
}

void FormDialog::afterAction() {
    if (!form_.loaded()) {
        Reference<css::awt::XDialog>(window_.dialog(), UNO_QUERY_THROW)->endExecute();
        return;
    }
    refreshing_ = true;
    try {
        window_.refresh();
    } catch (...) {
        refreshing_ = false;
        throw;
    }
    refreshing_ = false;
}

}  // namespace runtime::awt
