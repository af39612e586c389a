#include "platform/runtime/qt/QtBackend.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QPixmap>
#include <QUrl>
#include <stdexcept>

#include "platform/runtime/qt/FormDialog.h"
#include "platform/runtime/qt/FormView.h"
#include "platform/runtime/qt/MessageBoxView.h"
#include "platform/runtime/qt/PictureCodec.h"

namespace runtime {

namespace {

// The same pixels, whatever pixel format the clipboard hands them back in.
bool samePixels(const QImage& a, const QImage& b) {
    return a.size() == b.size() && a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// Grabs a widget as it would look on screen without putting it there.
Picture grabOffscreen(QWidget& widget) {
    widget.setAttribute(Qt::WA_DontShowOnScreen);
    widget.show();
    const QImage image = widget.grab().toImage();
    widget.hide();
    return qt::bitmapPicture(image);
}

}  // namespace

QtBackend::QtBackend() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw std::logic_error("the Qt backend needs a QApplication; create it first");
}

int QtBackend::messageBox(const MessageBoxRequest& request) {
    qt::MessageBoxView view(request);
    view.box().exec();
    return view.answer();
}

void QtBackend::showModal(Form& form) {
    if (!form.loaded()) return;
    qt::FormDialog dialog(form);
    dialog.run();
}

void QtBackend::processEvents() {
    QCoreApplication::processEvents();
}

bool QtBackend::openDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void QtBackend::clearClipboard() {
    QGuiApplication::clipboard()->clear();
    clipboard_ = {};
}

void QtBackend::setClipboardPicture(const Picture& picture) {
    const QImage image = qt::decodePicture(picture);
    if (image.isNull()) {
        clearClipboard();
        return;
    }
    QGuiApplication::clipboard()->setImage(image);
    clipboard_ = picture;
}

Picture QtBackend::clipboardPicture() const {
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) return {};
    // A round trip keeps the picture's format and bytes (a JPEG stays a JPEG)
    // unless something else has put other pixels on the clipboard meanwhile.
    if (!clipboard_.empty() && samePixels(image, qt::decodePicture(clipboard_))) return clipboard_;
    return qt::bitmapPicture(image);
}

Picture QtBackend::renderWindow(const Form& form) const {
    QDialog window;
    qt::FormView view(form, window);
    return grabOffscreen(window);
}

Picture QtBackend::renderMessageBox(const MessageBoxRequest& request) const {
    qt::MessageBoxView view(request);
    return grabOffscreen(view.box());
}

}  // namespace runtime
