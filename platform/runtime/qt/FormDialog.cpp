#include "platform/runtime/qt/FormDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

#include "platform/runtime/KeyRouting.h"

namespace runtime::qt {

namespace {

// The character code of a key press as a window's key handler sees it; 0 for
// keys that make no character (arrows, function keys, Tab, which moves the
// focus instead).
int characterCode(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return keyAscii::Enter;
        case Qt::Key_Escape: return keyAscii::Escape;
        case Qt::Key_Backspace: return keyAscii::Backspace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete: return 0;
        default: break;
    }
    const QList<uint> characters = key.text().toUcs4();
    if (characters.isEmpty() || characters.front() == keyAscii::Delete) return 0;
    return static_cast<int>(characters.front());
}

// The key of a character that a control gets in place of the one typed;
// the routing keeps Enter and Escape for itself.
Qt::Key keyOf(int code) {
    return code == keyAscii::Backspace ? Qt::Key_Backspace : Qt::Key_unknown;
}

}  // namespace

FormDialog::FormDialog(Form& form) : form_(form), view_(form, *this) {
    installEventFilter(this);
    for (const Control& control : form.controls()) watch(control);
    // The user's own focus moves (Tab, clicks) become the form's focus, so
    // that showing the model after an action does not pull the focus back.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!form_.loaded()) return;
        const std::string name = view_.nameOf(now);
        if (!name.empty()) form_.setFocus(name);
    });
}

void FormDialog::watch(const Control& control) {
    QWidget* widget = view_.widget(control.name);
    widget->installEventFilter(this);
    const std::string name = control.name;
    switch (control.kind) {
        case ControlKind::ListBox: {
            auto* list = static_cast<QListWidget*>(widget);
            // Moving the highlight is a click on the list, whether by mouse or key.
            connect(list, &QListWidget::currentRowChanged, this, [this, name](int row) {
                if (refreshing_ || !form_.loaded()) return;
                highlightEntry(form_, name, row);
                afterAction();
            });
            connect(list, &QListWidget::itemDoubleClicked, this, [this, name, list](QListWidgetItem* item) {
                if (!form_.loaded()) return;
                doubleClickEntry(form_, name, list->row(item));
                afterAction();
            });
            break;
        }
        case ControlKind::CommandButton:
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this, [this, name] { press(name); });
            break;
        case ControlKind::CheckBox:
            // `clicked` comes from the user only, never from showing the model.
            connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, this, [this, name](bool checked) {
                if (!form_.loaded()) return;
                form_.control(name).value = checked ? 1 : 0;
                form_.click(name);
                afterAction();
            });
            break;
        case ControlKind::Label:
        case ControlKind::PictureBox:
        case ControlKind::Image: break;
    }
}

void FormDialog::run() {
    setWindowModality(Qt::ApplicationModal);
    show();
    if (form_.loaded()) {
        form_.activate();
        afterAction();
    }
    if (form_.loaded()) loop_.exec();
    hide();
}

bool FormDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !redelivering_ && form_.loaded())
        return keyPressed(watched, static_cast<const QKeyEvent&>(*event));
    return QDialog::eventFilter(watched, event);
}

bool FormDialog::keyPressed(QObject* watched, const QKeyEvent& key) {
    // A key the focused control ignores travels on to its parents; it has
    // been routed already, at the control that got it first.
    QWidget* focus = QApplication::focusWidget();
    QObject* first = focus && focus->window() == this ? focus : static_cast<QObject*>(this);
    if (watched != first) return false;

    const KeyRoute route = routeKey(form_, characterCode(key));
    if (route.seen == FormSawKey::Yes) afterAction();
    switch (route.action) {
        case KeyAction::Used: return true;
        case KeyAction::PassOn: return false;
        case KeyAction::PressFocusedButton: press(std::string(form_.focus())); return true;
        case KeyAction::PassOnChanged: break;
    }
    // The control gets the character that the form left instead.
    const char32_t character = static_cast<char32_t>(route.code);
    QKeyEvent changed(QEvent::KeyPress, keyOf(route.code), key.modifiers(), QString::fromUcs4(&character, 1),
                      key.isAutoRepeat());
    redelivering_ = true;
    QCoreApplication::sendEvent(watched, &changed);
    redelivering_ = false;
    return true;
}

void FormDialog::press(const std::string& button) {
    if (!form_.loaded()) return;
    form_.click(button);
    afterAction();
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (form_.loaded()) form_.close();
    afterAction();
    if (form_.loaded())
        event->ignore();
    else
        event->accept();
}

void FormDialog::afterAction() {
    if (!form_.loaded()) {
        finish();
        return;
    }
    refreshing_ = true;
    view_.refresh();
    refreshing_ = false;
}

void FormDialog::finish() {
    loop_.quit();
    hide();
}

}  // namespace runtime::qt
