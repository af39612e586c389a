#include "platform/runtime/qt/FormDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

namespace runtime::qt {

namespace {

constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Delete = 127;

// The character code of a key press as a window's key handler sees it; 0 for
// keys that make no character (arrows, function keys, Tab, which moves the
// focus instead).
int characterCode(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return Enter;
        case Qt::Key_Escape: return Escape;
        case Qt::Key_Backspace: return Backspace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete: return 0;
        default: break;
    }
    const QList<uint> characters = key.text().toUcs4();
    if (characters.isEmpty() || characters.front() == Delete) return 0;
    return static_cast<int>(characters.front());
}

Qt::Key keyOf(int code) {
    switch (code) {
        case Enter: return Qt::Key_Return;
        case Escape: return Qt::Key_Escape;
        case Backspace: return Qt::Key_Backspace;
        default: return Qt::Key_unknown;
    }
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
                form_.control(name).listIndex = row;
                form_.click(name);
                afterAction();
            });
            connect(list, &QListWidget::itemDoubleClicked, this, [this, name, list](QListWidgetItem* item) {
                if (!form_.loaded()) return;
                form_.control(name).listIndex = list->row(item);
                form_.doubleClick(name);
                afterAction();
            });
            break;
        }
        case ControlKind::CommandButton:
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this, [this, name] {
                if (!form_.loaded()) return;
                form_.click(name);
                afterAction();
            });
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
    if (event->type() == QEvent::KeyPress && !redelivering_ && form_.keyPreview() && form_.loaded())
        return previewKey(watched, static_cast<const QKeyEvent&>(*event));
    return QDialog::eventFilter(watched, event);
}

bool FormDialog::previewKey(QObject* watched, const QKeyEvent& key) {
    // A key the focused control ignores travels on to its parents; the form
    // has seen it already, at the control that got it first.
    QWidget* focus = QApplication::focusWidget();
    QObject* first = focus && focus->window() == this ? focus : static_cast<QObject*>(this);
    if (watched != first) return false;

    const int original = characterCode(key);
    if (original == 0) return false;
    int code = original;
    form_.keyPress(code);
    afterAction();
    if (!form_.loaded() || code == 0) return true;
    if (code == original) return false;

    // The form changed the character: the control gets the new one instead.
    const char32_t character = static_cast<char32_t>(code);
    QKeyEvent changed(QEvent::KeyPress, keyOf(code), key.modifiers(), QString::fromUcs4(&character, 1),
                      key.isAutoRepeat());
    redelivering_ = true;
    QCoreApplication::sendEvent(watched, &changed);
    redelivering_ = false;
    return true;
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
