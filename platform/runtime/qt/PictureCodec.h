#pragma once
// Between the runtime's pictures (encoded file bytes) and Qt's images.
#include <QImage>

#include "platform/runtime/Picture.h"

namespace runtime::qt {

// The picture's pixels; a null image for an empty picture or bytes that no
// image reader understands.
QImage decodePicture(const Picture& picture);

// The image as a bitmap picture (the bytes of a BMP file); an empty picture
// for a null image.
Picture bitmapPicture(const QImage& image);

}  // namespace runtime::qt
