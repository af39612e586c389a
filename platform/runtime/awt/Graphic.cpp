#include "platform/runtime/awt/Graphic.h"

#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/io/SequenceInputStream.hpp>
#include <com/sun/star/io/TempFile.hpp>
#include <cstdlib>

#include "platform/runtime/awt/IconFile.h"
#include "platform/runtime/awt/Uno.h"

namespace runtime::awt {

namespace {

using css::uno::Reference;

constexpr std::size_t BitmapWidthAt = 18;
constexpr std::size_t BitmapHeightAt = 22;

std::int32_t bitmapNumber(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) value = (value << 8) | bytes[at + i];
    return static_cast<std::int32_t>(value);
}

}  // namespace

Reference<css::graphic::XGraphic> graphicOf(const Picture& picture,
                                            const Reference<css::uno::XComponentContext>& context) {
    if (picture.empty() || picture.data.empty()) return {};
    std::vector<std::uint8_t> file;
    if (picture.format == PictureFormat::Icon) file = iconImageFile(picture.data);
    // Bitmaps and JPEG files the office reads as they are; so it does a
    // picture whose bytes are not of its stated format, by their content.
    const std::vector<std::uint8_t>& bytes = file.empty() ? picture.data : file;
    const css::uno::Sequence<sal_Int8> sequence(reinterpret_cast<const sal_Int8*>(bytes.data()),
                                                static_cast<sal_Int32>(bytes.size()));
    try {
        const auto stream = css::io::SequenceInputStream::createStreamFromSequence(context, sequence);
        const Reference<css::io::XInputStream> input(stream, css::uno::UNO_QUERY_THROW);
        return css::graphic::GraphicProvider::create(context)->queryGraphic(
            uno::sequenceOf({uno::property("InputStream", css::uno::Any(input))}));
    } catch (const css::uno::Exception&) {
        // The office found no image in the bytes.
        return {};
    }
}

std::vector<std::uint8_t> imageFileOf(const Reference<css::graphic::XGraphic>& graphic, const char* mimeType,
                                      const Reference<css::uno::XComponentContext>& context) {
    if (!graphic.is()) return {};
    try {
        // The office writes graphics to a stream it can seek in, not to a
        // bare output stream: a temporary file of its own.
        const Reference<css::io::XTempFile> file = css::io::TempFile::create(context);
        css::graphic::GraphicProvider::create(context)->storeGraphic(
            graphic,
            uno::sequenceOf({uno::property("OutputStream",
                                           css::uno::Any(Reference<css::io::XStream>(file, css::uno::UNO_QUERY_THROW))),
                             uno::property("MimeType", css::uno::Any(rtl::OUString::createFromAscii(mimeType)))}));
        const auto length = static_cast<sal_Int32>(file->getLength());
        file->seek(0);
        css::uno::Sequence<sal_Int8> bytes;
        const sal_Int32 read = file->getInputStream()->readBytes(bytes, length);
        const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.getConstArray());
        return std::vector<std::uint8_t>(begin, begin + read);
    } catch (const css::uno::Exception&) {
        return {};
    }
}

Picture bitmapPictureOf(const Reference<css::graphic::XGraphic>& graphic,
                        const Reference<css::uno::XComponentContext>& context) {
    std::vector<std::uint8_t> bytes = imageFileOf(graphic, "image/x-MS-bmp", context);
    if (bytes.size() <= BitmapHeightAt + 4 || bytes[0] != 'B' || bytes[1] != 'M') return {};
    Picture picture;
    picture.format = PictureFormat::Bitmap;
    picture.width = bitmapNumber(bytes, BitmapWidthAt);
    // A bitmap stored top row first gives its height as a negative number.
    picture.height = std::abs(bitmapNumber(bytes, BitmapHeightAt));
    picture.data = std::move(bytes);
    return picture;
}

}  // namespace runtime::awt
