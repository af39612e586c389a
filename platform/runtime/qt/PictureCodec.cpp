#include "platform/runtime/qt/PictureCodec.h"

#include <QBuffer>
#include <QByteArray>

namespace runtime::qt {

namespace {

const char* formatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::Bitmap: return "BMP";
        case PictureFormat::Jpeg: return "JPG";
        case PictureFormat::Icon: return "ICO";
        case PictureFormat::None: break;
    }
    return nullptr;
}

}  // namespace

QImage decodePicture(const Picture& picture) {
    if (picture.empty() || picture.data.empty()) return {};
    const QByteArray bytes(reinterpret_cast<const char*>(picture.data.data()),
                           static_cast<qsizetype>(picture.data.size()));
    QImage image = QImage::fromData(bytes, formatName(picture.format));
    // A picture whose bytes do not match its stated format is still shown
    // when the content says what it is.
    if (image.isNull()) image = QImage::fromData(bytes);
    return image;
}

Picture bitmapPicture(const QImage& image) {
    if (image.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    Picture picture;
    picture.format = PictureFormat::Bitmap;
    picture.width = image.width();
    picture.height = image.height();
    picture.data.assign(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        reinterpret_cast<const std::uint8_t*>(bytes.constData()) + bytes.size());
    return picture;
}

}  // namespace runtime::qt
