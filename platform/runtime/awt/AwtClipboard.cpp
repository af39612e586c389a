#include "platform/runtime/awt/AwtClipboard.h"

#include <com/sun/star/datatransfer/UnsupportedFlavorException.hpp>
#include <com/sun/star/datatransfer/clipboard/SystemClipboard.hpp>
#include <cppuhelper/implbase1.hxx>
#include <utility>

#include "platform/runtime/awt/Graphic.h"
#include "platform/runtime/awt/Uno.h"

namespace runtime::awt {

namespace {

using css::uno::Reference;
using Bytes = css::uno::Sequence<sal_Int8>;

constexpr const char* PngType = "image/png";
// The office's name for a device-independent bitmap (a BMP file's bytes).
constexpr const char* OfficeBitmapType = "application/x-openoffice-bitmap;windows_formatname=\"Bitmap\"";

css::datatransfer::DataFlavor flavor(const char* mimeType) {
    return {rtl::OUString::createFromAscii(mimeType), rtl::OUString::createFromAscii(mimeType),
            cppu::UnoType<Bytes>::get()};
}

Bytes bytesOf(const std::vector<std::uint8_t>& bytes) {
    return Bytes(reinterpret_cast<const sal_Int8*>(bytes.data()), static_cast<sal_Int32>(bytes.size()));
}

// Whether a flavor carries the bytes of an image file the office can read.
bool isImage(const css::datatransfer::DataFlavor& flavor) {
    if (flavor.DataType != cppu::UnoType<Bytes>::get()) return false;
    return flavor.MimeType.startsWith("image/png") || flavor.MimeType.startsWith("image/bmp") ||
           flavor.MimeType.startsWith("image/jpeg") || flavor.MimeType.startsWith("application/x-openoffice-bitmap");
}

// A picture as the clipboard offers it: the same image in each flavor.
class PictureTransferable : public cppu::WeakImplHelper1<css::datatransfer::XTransferable> {
public:
    // A UNO sequence shares its bytes when copied.
    PictureTransferable(const Bytes& png, const Bytes& bitmap) : png_(png), bitmap_(bitmap) {}

    css::uno::Any SAL_CALL getTransferData(const css::datatransfer::DataFlavor& wanted) override {
        if (wanted.MimeType.equalsIgnoreAsciiCaseAscii(PngType)) return css::uno::Any(png_);
        if (wanted.MimeType.equalsIgnoreAsciiCaseAscii(OfficeBitmapType)) return css::uno::Any(bitmap_);
        throw css::datatransfer::UnsupportedFlavorException(wanted.MimeType, *this);
    }
    css::uno::Sequence<css::datatransfer::DataFlavor> SAL_CALL getTransferDataFlavors() override {
        return uno::sequenceOf({flavor(PngType), flavor(OfficeBitmapType)});
    }
    sal_Bool SAL_CALL isDataFlavorSupported(const css::datatransfer::DataFlavor& wanted) override {
        return wanted.MimeType.equalsIgnoreAsciiCaseAscii(PngType) ||
               wanted.MimeType.equalsIgnoreAsciiCaseAscii(OfficeBitmapType);
    }

private:
    Bytes png_;
    Bytes bitmap_;
};

}  // namespace

AwtClipboard::AwtClipboard(const Reference<css::uno::XComponentContext>& context)
    : context_(context),
      clipboard_(css::datatransfer::clipboard::SystemClipboard::create(context), css::uno::UNO_QUERY_THROW) {}

void AwtClipboard::clear() {
    clipboard_->setContents({}, {});
    offered_.clear();
    picture_ = {};
}

void AwtClipboard::setPicture(const Picture& picture) {
    const Reference<css::graphic::XGraphic> graphic = graphicOf(picture, context_);
    const std::vector<std::uint8_t> png = imageFileOf(graphic, PngType, context_);
    const std::vector<std::uint8_t> bitmap = imageFileOf(graphic, "image/x-MS-bmp", context_);
    if (png.empty() || bitmap.empty()) {
        clear();
        return;
    }
    const Reference<css::datatransfer::XTransferable> offered(new PictureTransferable(bytesOf(png), bytesOf(bitmap)));
    clipboard_->setContents(offered, {});
    offered_ = offered;
    picture_ = picture;
}

Picture AwtClipboard::picture() const {
    const Reference<css::datatransfer::XTransferable> contents = clipboard_->getContents();
    if (!contents.is()) return {};
    // A round trip keeps the picture's format and bytes (a JPEG stays a
    // JPEG) until something else takes the clipboard.
    if (offered_.is() && contents == offered_) return picture_;
    const auto flavors = contents->getTransferDataFlavors();
    for (const css::datatransfer::DataFlavor& offered : flavors) {
        if (!isImage(offered)) continue;
        Bytes bytes;
        try {
            if (!(contents->getTransferData(offered) >>= bytes)) continue;
        } catch (const css::uno::Exception&) {
            continue;  // the owner could not give it after all
        }
        const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.getConstArray());
        const Picture file{PictureFormat::Bitmap, 0, 0, {begin, begin + bytes.getLength()}};
        Picture picture = bitmapPictureOf(graphicOf(file, context_), context_);
        if (!picture.empty()) return picture;
    }
    return {};
}

}  // namespace runtime::awt
