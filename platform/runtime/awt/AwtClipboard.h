#pragma once
// Pictures on the office's system clipboard, which the desktop shares.
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/datatransfer/clipboard/XClipboard.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "platform/runtime/Picture.h"

namespace runtime::awt {

namespace css = com::sun::star;

class AwtClipboard {
public:
    explicit AwtClipboard(const css::uno::Reference<css::uno::XComponentContext>& context);

    void clear();
    // Offers the picture as a PNG image and as the office's own bitmap; an
    // empty picture, or one the office cannot read, clears the clipboard.
    void setPicture(const Picture& picture);
    // The picture last set here, with its own bytes, while the clipboard
    // still holds it; any other image as a bitmap picture; an empty picture
    // when the clipboard holds no image.
    Picture picture() const;

private:
    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::datatransfer::clipboard::XClipboard> clipboard_;
    css::uno::Reference<css::datatransfer::XTransferable> offered_;
    Picture picture_;  // what offered_ holds
};

}  // namespace runtime::awt
