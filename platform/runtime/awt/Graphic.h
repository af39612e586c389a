#pragma once
// Between the runtime's pictures (encoded file bytes) and the office's
// graphics, e.g. for a toolbar button's face. Office calls: in the office's
// main thread, or over a UNO bridge to it. Users generate the UNO headers of
// com.sun.star.graphic.XGraphic and com.sun.star.uno.XComponentContext
// themselves (cmake/Uno.cmake).
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "platform/runtime/Picture.h"

namespace runtime::awt {

namespace css = com::sun::star;

// The picture as the office's graphic: a bitmap or JPEG as it is, an icon
// as its largest image (IconFile.h). A null reference for an empty picture
// or bytes that the office cannot read.
css::uno::Reference<css::graphic::XGraphic> graphicOf(const Picture& picture,
                                                      const css::uno::Reference<css::uno::XComponentContext>& context);

// The graphic as an image file of the MIME type given ("image/png", ...);
// empty for a null graphic or one the office cannot write so.
std::vector<std::uint8_t> imageFileOf(const css::uno::Reference<css::graphic::XGraphic>& graphic, const char* mimeType,
                                      const css::uno::Reference<css::uno::XComponentContext>& context);

// The graphic as a bitmap picture (the bytes of a BMP file); an empty
// picture for a null graphic or one the office cannot write as a bitmap.
Picture bitmapPictureOf(const css::uno::Reference<css::graphic::XGraphic>& graphic,
                        const css::uno::Reference<css::uno::XComponentContext>& context);

}  // namespace runtime::awt
