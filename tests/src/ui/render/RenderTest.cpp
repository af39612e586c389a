// The add-in's own windows and message boxes as the Qt backend draws them,
// saved as PNG files in renders/ of the build tree for a look at the layouts.
// The windows are the real ones, loaded as the export command loads them, so
// a render shows what the user gets, not a copy of it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <string>

#include "platform/runtime/Interaction.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/qt/QtBackend.h"
#include "src/ui/frmDialog.h"
#include "src/ui/frmMenue.h"
#include "src/util/Messages.h"
#include "tests/support/TempFolder.h"

namespace {

// Writes the picture as a PNG file of that name into the render folder and
// returns what the file holds when read back: a null image when no file was
// written. A file of an earlier run is removed first, so that it cannot pass
// for this run's.
QImage writePng(const runtime::Picture& picture, const char* name) {
    QDir folder(QStringLiteral(KALMORA_RENDER_DIR));
    if (!folder.mkpath(QStringLiteral("."))) return {};
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile::remove(path);
    const QByteArray bytes(reinterpret_cast<const char*>(picture.data.data()),
                           static_cast<qsizetype>(picture.data.size()));
    const QImage drawn = QImage::fromData(bytes, "BMP");
    if (drawn.isNull() || !drawn.save(path, "PNG")) return {};
    return QImage(path, "PNG");
}

// Whether a row or column of pixels at the window's edge shows nothing but
// the background. The layouts keep every control clear of the right and
// bottom edges, except the version line, which reaches a pixel past the right
// one: ink there is a caption that the window cuts off.
bool blankColumn(const QImage& image, int x) {
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) != image.pixel(x, 0)) return false;
    return true;
}

bool blankRow(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != image.pixel(0, y)) return false;
    return true;
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Twips become pixels at the screen's density; the sizes below are
        // those of a 96 dpi screen, which the offscreen platform has.
        const QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        ASSERT_EQ(screen->logicalDotsPerInch(), 96.0);
    }

    runtime::QtBackend backend;
};

TEST_F(RenderTest, TheWindowsAreDrawnAtTheirClientSize) {
    const TempFolder addInFolder;
    frmMenue::releaseInstance();
    runtime::app().path = addInFolder.path();
    frmMenue& choice = frmMenue::instance();
    choice.load();

    // The question as the export command asks it: loaded, then its text set.
    frmDialog question;
    question.load();
    question.control("Label1").caption = "Die Ausgabedatei /tmp/PDF/Angebot_ABC.pdf existiert bereits!";

    const struct {
        const char* file;
        const runtime::Form& form;
        int width;
        int height;
    } cases[] = {
        {"choice.png", choice, 374, 274},
        {"question.png", question, 402, 213},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QImage written = writePng(backend.renderWindow(c.form), c.file);
        ASSERT_FALSE(written.isNull()) << "not written";
        EXPECT_EQ(written.width(), c.width);
        EXPECT_EQ(written.height(), c.height);
        EXPECT_TRUE(blankColumn(written, written.width() - 1)) << "cut off at the right edge";
        EXPECT_TRUE(blankRow(written, written.height() - 1)) << "cut off at the bottom edge";
    }
    frmMenue::releaseInstance();
}

TEST_F(RenderTest, TheMessageBoxesOfTheExportCommandAreDrawn) {
    const struct {
        const char* file;
        int style;
        std::string text;
    } cases[] = {
        {"msgbox-0.png", runtime::vbOKOnly, "leeres Dokument - Ausdruck nicht erforderlich"},
        {"msgbox-16.png", runtime::vbCritical,
         "Abbruch\n\n Kein PDF-Ausdruck!\r\nKein freier Dateiname gefunden: "
         "/tmp/PDF/Angebot_ABC_1.pdf bis /tmp/PDF/Angebot_ABC_50.pdf sind alle vergeben."},
        {"msgbox-33.png", runtime::vbOKCancel + runtime::vbQuestion,
         "Zur Weiterarbeit muss das Dokument gespeichert werden!"},
        {"msgbox-48.png", runtime::vbExclamation,
         "Starten der Anwendung ist fehlgeschlagen!\r\n"
         "pdftk \"/tmp/PDF/Angebot_ABC_$1.pdf\" background \"/opt/addin/Kopfbogen1.pdf\" "
         "output \"/tmp/PDF/Angebot_ABC_K1.pdf\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QImage written = writePng(backend.renderMessageBox({c.text, c.style, MessageTitle}), c.file);
        ASSERT_FALSE(written.isNull()) << "not written";
        // Room for at least a line of text and a button.
        EXPECT_GE(written.width(), 100);
        EXPECT_GE(written.height(), 50);
    }
}

}  // namespace
