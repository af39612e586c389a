// The clipboard: a picture comes back as it was set; other images as bitmaps.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "platform/runtime/qt/QtBackend.h"

namespace {

using runtime::Picture;
using runtime::PictureFormat;

QImage filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

Picture jpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    Picture picture{PictureFormat::Jpeg, image.width(), image.height(), {}};
    picture.data.assign(bytes.begin(), bytes.end());
    return picture;
}

TEST(QtClipboardTest, APictureComesBackAsSetUntilOtherPixelsReplaceIt) {
    runtime::QtBackend backend;
    const Picture photo = jpeg(filled(40, 30, Qt::darkCyan));
    ASSERT_FALSE(photo.data.empty());

    backend.setClipboardPicture(photo);
    EXPECT_EQ(backend.clipboardPicture(), photo);

    // Another program puts an image there: it arrives as a bitmap of its pixels.
    const QImage other = filled(7, 5, Qt::red);
    QGuiApplication::clipboard()->setImage(other);
    const Picture bitmap = backend.clipboardPicture();
    EXPECT_EQ(bitmap.format, PictureFormat::Bitmap);
    EXPECT_EQ(bitmap.width, 7);
    EXPECT_EQ(bitmap.height, 5);
    ASSERT_GE(bitmap.data.size(), 2u);
    EXPECT_EQ(std::string(bitmap.data.begin(), bitmap.data.begin() + 2), "BM");
    const QImage decoded = QImage::fromData(bitmap.data.data(), static_cast<int>(bitmap.data.size()));
    EXPECT_EQ(decoded.pixelColor(3, 2), QColor(Qt::red));

    backend.clearClipboard();
    EXPECT_TRUE(backend.clipboardPicture().empty());
}

}  // namespace
