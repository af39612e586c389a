// kalmora-render [folder]: draws the two window layouts and the message box
// styles offscreen into PNG files, for a look at them without a display.
// The folder defaults to renders/ in the build tree.
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>
#include <string>

#include "platform/runtime/qt/QtBackend.h"
#include "platform/runtime/qt/render/SampleChoiceWindow.h"
#include "platform/runtime/qt/render/SampleQuestionWindow.h"

namespace {

using runtime::Picture;
using runtime::PictureFormat;

// Something to look at where the windows show their pictures.
QImage samplePicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(30, 70, 140));
    gradient.setColorAt(1, QColor(210, 225, 245));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("K"));
    return image;
}

Picture encoded(const QImage& image, PictureFormat format, const char* fileFormat) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, fileFormat);
    Picture picture{format, image.width(), image.height(), {}};
    picture.data.assign(bytes.begin(), bytes.end());
    return picture;
}

bool save(const Picture& picture, const QDir& folder, const QString& name) {
    QImage image;
    image.loadFromData(picture.data.data(), static_cast<int>(picture.data.size()), "BMP");
    const QString path = folder.filePath(name);
    if (image.isNull() || !image.save(path, "PNG")) {
        std::fprintf(stderr, "kalmora-render: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Offscreen at its fixed 96 dpi: the same pixels on every machine, with
    // or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folderName = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                        : QStringLiteral(KALMORA_RENDER_DIR);
    QDir folder(folderName);
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "kalmora-render: cannot create %s\n", qPrintable(folderName));
        return 1;
    }

    const runtime::QtBackend backend;
    bool ok = true;

    runtime::render::SampleChoiceWindow choice(
        encoded(samplePicture(32, 32), PictureFormat::Bitmap, "BMP"),
        encoded(samplePicture(522, 443), PictureFormat::Jpeg, "JPG"));
    choice.load();
    ok &= save(backend.renderWindow(choice), folder, QStringLiteral("choice.png"));

    runtime::render::SampleQuestionWindow question;
    question.load();
    ok &= save(backend.renderWindow(question), folder, QStringLiteral("question.png"));

    const struct {
        int style;
        const char* text;
    } boxes[] = {
        {0, "Das PDF wurde erstellt.\r\n\r\n   Eingerückte Zeile\nLetzte Zeile"},
        {16, "Die Datei \"Angebot.pdf\" ist gesperrt und kann nicht gelöscht werden."},
        {33, "Das Dokument wurde noch nicht gespeichert. Jetzt speichern?"},
        {48, "Der Kopfbogen für die erste Seite wurde nicht gefunden."},
    };
    for (const auto& box : boxes) {
        const runtime::MessageBoxRequest request{box.text, box.style, "pdf-Kalmora"};
        ok &= save(backend.renderMessageBox(request), folder,
                   QStringLiteral("msgbox-%1.png").arg(box.style));
    }
    return ok ? 0 : 1;
}
