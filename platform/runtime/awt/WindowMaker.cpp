#include "platform/runtime/awt/WindowMaker.h"

#include <com/sun/star/awt/PosSize.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/WindowAttribute.hpp>
#include <com/sun/star/awt/XDialog.hpp>
#include <com/sun/star/awt/XUnitConversion.hpp>
#include <com/sun/star/awt/XVclWindowPeer.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/util/MeasureUnit.hpp>

#include "platform/runtime/awt/Uno.h"

namespace runtime::awt {

namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

constexpr sal_Int32 TwipsPerInch = 1440;
// Measured over ten inches, for a tenth of a dot.
constexpr sal_Int32 Inches = 10;

css::awt::WindowDescriptor descriptor(css::awt::WindowClass type, const char* kind,
                                      const Reference<css::awt::XWindowPeer>& parent, sal_Int32 attributes) {
    css::awt::WindowDescriptor window;
    window.Type = type;
    window.WindowServiceName = rtl::OUString::createFromAscii(kind);
    window.Parent = parent;
    window.ParentIndex = -1;
    window.WindowAttributes = attributes;
    return window;
}

}  // namespace

WindowMaker::WindowMaker(const Reference<css::uno::XComponentContext>& context)
    : context_(context), toolkit_(css::awt::Toolkit::create(context)) {}

Reference<css::awt::XWindowPeer> WindowMaker::dialog(const Reference<css::awt::XWindowPeer>& parent,
                                                     const std::string& title) const {
    namespace attribute = css::awt::WindowAttribute;
    const Reference<css::awt::XWindowPeer> peer = toolkit_->createWindow(descriptor(
        css::awt::WindowClass_TOP, "dialog", parent, attribute::BORDER | attribute::MOVEABLE | attribute::CLOSEABLE));
    Reference<css::awt::XDialog>(peer, UNO_QUERY_THROW)->setTitle(uno::text(title));
    // The toolkit would underline a letter of each caption and take Alt
    // with it as a press; the windows were designed without such keys.
    setProperty(peer, "AutoMnemonics", css::uno::Any(false));
    return peer;
}

Reference<css::awt::XWindowPeer> WindowMaker::control(const Reference<css::awt::XWindowPeer>& dialog, const char* kind,
                                                      const PixelBox& box, sal_Int32 attributes) const {
    const Reference<css::awt::XWindowPeer> peer = toolkit_->createWindow(
        descriptor(css::awt::WindowClass_SIMPLE, kind, dialog, css::awt::WindowAttribute::SHOW | attributes));
    place(peer, box);
    return peer;
}

void WindowMaker::resize(const Reference<css::awt::XWindowPeer>& dialog, int width, int height) {
    // The size alone: a window never placed is centred by the toolkit when
    // it first appears.
    Reference<css::awt::XWindow>(dialog, UNO_QUERY_THROW)->setPosSize(0, 0, width, height, css::awt::PosSize::SIZE);
}

void WindowMaker::place(const Reference<css::awt::XWindowPeer>& control, const PixelBox& box) {
    Reference<css::awt::XWindow>(control, UNO_QUERY_THROW)
        ->setPosSize(box.left, box.top, box.width, box.height, css::awt::PosSize::POSSIZE);
}

double WindowMaker::dotsPerInch(const Reference<css::awt::XWindowPeer>& window) {
    const css::awt::Size inches = Reference<css::awt::XUnitConversion>(window, UNO_QUERY_THROW)
                                      ->convertSizeToPixel(css::awt::Size(TwipsPerInch * Inches, TwipsPerInch * Inches),
                                                           css::util::MeasureUnit::TWIP);
    return inches.Width / static_cast<double>(Inches);
}

void WindowMaker::setProperty(const Reference<css::awt::XWindowPeer>& peer, const char* name,
                              const css::uno::Any& value) {
    // The office calls the interface deprecated, yet it is the one through
    // which a window made by the toolkit takes its fonts, pictures and texts.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Reference<css::awt::XVclWindowPeer>(peer, UNO_QUERY_THROW)
        ->setProperty(rtl::OUString::createFromAscii(name), value);
#pragma GCC diagnostic pop
}

}  // namespace runtime::awt
