#pragma once
// A window shown modally for real: the form's widgets in a dialog that hands
// the user's actions to the form's code and ends when the form unloads.
#include <QDialog>
#include <QEventLoop>

#include "platform/runtime/Form.h"
#include "platform/runtime/qt/FormView.h"

namespace runtime::qt {

class FormDialog final : public QDialog {
public:
    // Builds the dialog from the loaded form; the form must outlive it.
    explicit FormDialog(Form& form);

    // Shows the dialog modally, activates the form, and returns once the form
    // has unloaded itself through one of the actions forwarded to it. The form
    // is activated once, right after the dialog appears.
    void run();

protected:
    // Every key pressed in the dialog is routed as KeyRouting.h has it.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The dialog answers no keys of its own: Escape does not close it; only
    // the form's code does such things.
    void keyPressEvent(QKeyEvent* event) override;
    // The close box (or the window manager) closes the form.
    void closeEvent(QCloseEvent* event) override;

private:
    void watch(const Control& control);
    // The key that `watched` got, routed once, where it arrived first; true
    // when it is used up.
    bool keyPressed(QObject* watched, const QKeyEvent& key);
    // The user pressed the button, by click or Enter.
    void press(const std::string& button);
    // After every forwarded action: show what the form's code changed, or end
    // the display when it unloaded the form.
    void afterAction();
    void finish();

    Form& form_;
    FormView view_;
    QEventLoop loop_;
    bool refreshing_ = false;
    bool redelivering_ = false;
};

}  // namespace runtime::qt
