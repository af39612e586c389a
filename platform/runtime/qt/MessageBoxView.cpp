#include "platform/runtime/qt/MessageBoxView.h"

#include <QPushButton>

#include "platform/runtime/Interaction.h"
#include "platform/runtime/KeyRouting.h"

namespace runtime::qt {

namespace {

constexpr int IconMask = 0x70;
constexpr int InformationIcon = 64;

QMessageBox::Icon iconOf(int style) {
    switch (style & IconMask) {
        case vbCritical: return QMessageBox::Critical;
        case vbQuestion: return QMessageBox::Question;
        case vbExclamation: return QMessageBox::Warning;
        case InformationIcon: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

QString lines(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

}  // namespace

MessageBoxView::MessageBoxView(const MessageBoxRequest& request) {
    box_.setWindowTitle(QString::fromStdString(request.title));
    // Plain text: a prompt is shown as written, markup characters included.
    box_.setTextFormat(Qt::PlainText);
    box_.setText(lines(request.prompt));
    box_.setIcon(iconOf(request.style));
    ok_ = box_.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    if (hasCancelButton(request.style)) cancel_ = box_.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box_.setDefaultButton(ok_);
    box_.setEscapeButton(cancel_ ? cancel_ : ok_);
}

int MessageBoxView::answer() const {
    const bool cancelled = cancel_ && (box_.clickedButton() == cancel_ || !box_.clickedButton());
    return cancelled ? vbCancel : vbOK;
}

}  // namespace runtime::qt
