#include "platform/runtime/awt/MessageBoxDialog.h"

#include <algorithm>
#include <com/sun/star/awt/VclWindowPeerAttribute.hpp>
#include <com/sun/star/awt/XActionListener.hpp>
#include <com/sun/star/awt/XButton.hpp>
#include <com/sun/star/awt/XDialog.hpp>
#include <com/sun/star/awt/XFixedText.hpp>
#include <com/sun/star/awt/XLayoutConstrains.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XTopWindowListener.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <cppuhelper/implbase3.hxx>
#include <rtl/ref.hxx>

#include "platform/runtime/Interaction.h"
#include "platform/runtime/KeyRouting.h"
#include "platform/runtime/awt/Uno.h"

namespace runtime::awt {

namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

constexpr int IconMask = 0x70;
constexpr int InformationIcon = 64;
// What the office's dialogs return for their OK button.
constexpr sal_Int16 OfficeOK = 1;

// The layout in pixels, as the desktop's message boxes have it.
constexpr int Margin = 12;
constexpr int IconSize = 32;
constexpr int WidestText = 420;
constexpr int ButtonWidth = 80;
constexpr int ButtonHeight = 26;
constexpr int ButtonGap = 6;

// The office's own message box icons, from its icon theme.
const char* iconOf(int style) {
    switch (style & IconMask) {
        case vbCritical: return "private:graphicrepository/vcl/res/errorbox.png";
        case vbQuestion: return "private:graphicrepository/vcl/res/querybox.png";
        case vbExclamation: return "private:graphicrepository/vcl/res/warningbox.png";
        case InformationIcon: return "private:graphicrepository/vcl/res/infobox.png";
        default: return nullptr;
    }
}

Reference<css::graphic::XGraphic> themeGraphic(const WindowMaker& maker, const char* url) {
    try {
        return css::graphic::GraphicProvider::create(maker.context())
            ->queryGraphic(uno::sequenceOf({uno::property("URL", css::uno::Any(rtl::OUString::createFromAscii(url)))}));
    } catch (const css::uno::Exception&) {
        // A theme without the icon: the box shows none.
        return {};
    }
}

css::awt::Size preferredSize(const Reference<css::awt::XWindowPeer>& peer) {
    return Reference<css::awt::XLayoutConstrains>(peer, UNO_QUERY_THROW)->getPreferredSize();
}

void dispose(const Reference<css::awt::XWindowPeer>& window) {
    try {
        Reference<css::lang::XComponent>(window, UNO_QUERY_THROW)->dispose();
    } catch (const css::uno::Exception&) {
        // The office is gone with its windows.
    }
}

// Disposes the box however its display ends, unless it stays on.
class Disposer {
public:
    explicit Disposer(const Reference<css::awt::XWindowPeer>& window) : window_(window) {}
    ~Disposer() {
        if (window_.is()) dispose(window_);
    }
    Disposer(const Disposer&) = delete;
    Disposer& operator=(const Disposer&) = delete;
    void keep() { window_.clear(); }

private:
    Reference<css::awt::XWindowPeer> window_;
};

// A box that nobody waits for: OK, Escape and the close box dispose of it,
// and so does the office's end, which an open box would keep back.
class Dismissal final : public cppu::WeakImplHelper3<css::awt::XActionListener, css::awt::XTopWindowListener,
                                                     css::frame::XTerminateListener> {
public:
    Dismissal(const Reference<css::awt::XWindowPeer>& box, const Reference<css::uno::XComponentContext>& context)
        : box_(box), desktop_(css::frame::Desktop::create(context)) {}

    void show(const Reference<css::awt::XWindowPeer>& ok) {
        Reference<css::awt::XButton>(ok, UNO_QUERY_THROW)->addActionListener(this);
        Reference<css::awt::XTopWindow>(box_, UNO_QUERY_THROW)->addTopWindowListener(this);
        desktop_->addTerminateListener(this);
        Reference<css::awt::XWindow>(box_, UNO_QUERY_THROW)->setVisible(true);
    }

    void SAL_CALL actionPerformed(const css::awt::ActionEvent&) override { close(); }
    void SAL_CALL windowClosing(const css::lang::EventObject&) override { close(); }
    void SAL_CALL windowOpened(const css::lang::EventObject&) override {}
    void SAL_CALL windowClosed(const css::lang::EventObject&) override {}
    void SAL_CALL windowMinimized(const css::lang::EventObject&) override {}
    void SAL_CALL windowNormalized(const css::lang::EventObject&) override {}
    void SAL_CALL windowActivated(const css::lang::EventObject&) override {}
    void SAL_CALL windowDeactivated(const css::lang::EventObject&) override {}
    void SAL_CALL queryTermination(const css::lang::EventObject&) override { close(); }
    void SAL_CALL notifyTermination(const css::lang::EventObject&) override {}
    void SAL_CALL disposing(const css::lang::EventObject&) override { box_.clear(); }

private:
    void close() {
        // Taken once: a second close finds no box.
        const Reference<css::awt::XWindowPeer> box = box_;
        box_.clear();
        if (!box.is()) return;
        // Held by its listeners' lists until it leaves the last of them.
        const Reference<css::frame::XTerminateListener> self(this);
        desktop_->removeTerminateListener(this);
        dispose(box);
    }

    Reference<css::awt::XWindowPeer> box_;
    Reference<css::frame::XDesktop2> desktop_;
};

}  // namespace

int showMessageBox(const WindowMaker& maker, const Reference<css::awt::XWindowPeer>& parent,
                   const MessageBoxRequest& request, Answer answer) {
    namespace attribute = css::awt::VclWindowPeerAttribute;
    const Reference<css::awt::XWindowPeer> box = maker.dialog(parent, request.title);
    Disposer disposer(box);

    // The buttons first: the first of them has the focus when the box appears.
    const Reference<css::awt::XWindowPeer> ok = maker.control(box, "okbutton", {});
    Reference<css::awt::XButton>(ok, UNO_QUERY_THROW)->setLabel("OK");
    Reference<css::awt::XWindowPeer> cancel;
    if (hasCancelButton(request.style)) {
        cancel = maker.control(box, "cancelbutton", {});
        Reference<css::awt::XButton>(cancel, UNO_QUERY_THROW)->setLabel("Abbrechen");
    }
    Reference<css::awt::XWindowPeer> icon;
    if (const char* url = iconOf(request.style)) {
        icon = maker.control(box, "fixedimage", {Margin, Margin, IconSize, IconSize});
        WindowMaker::setProperty(icon, "Graphic", css::uno::Any(themeGraphic(maker, url)));
    }
    // Plain text: a tilde stays a tilde rather than marking a mnemonic.
    const Reference<css::awt::XWindowPeer> text = maker.control(box, "fixedtext", {}, attribute::NOLABEL);
    WindowMaker::setProperty(text, "MultiLine", css::uno::Any(true));
    Reference<css::awt::XFixedText>(text, UNO_QUERY_THROW)->setText(unoLines(request.prompt));

    // Long lines wrap at a width that a reader's eye can follow.
    const css::awt::Size natural = preferredSize(text);
    const int textWidth = std::min<int>(natural.Width, WidestText);
    const int textHeight =
        Reference<css::awt::XLayoutConstrains>(text, UNO_QUERY_THROW)->calcAdjustedSize({textWidth, 0}).Height;
    const int textLeft = Margin + (icon.is() ? IconSize + Margin : 0);
    // A line or two stands in the middle of the icon's height.
    const int textTop = icon.is() && textHeight < IconSize ? Margin + (IconSize - textHeight) / 2 : Margin;
    WindowMaker::place(text, {textLeft, textTop, textWidth, textHeight});

    const auto buttonSize = [](const Reference<css::awt::XWindowPeer>& button) {
        const css::awt::Size size = preferredSize(button);
        return css::awt::Size(std::max<int>(size.Width, ButtonWidth), std::max<int>(size.Height, ButtonHeight));
    };
    const css::awt::Size okSize = buttonSize(ok);
    const css::awt::Size cancelSize = cancel.is() ? buttonSize(cancel) : css::awt::Size(-ButtonGap, 0);
    const int buttonsWidth = okSize.Width + ButtonGap + cancelSize.Width;
    const int buttonsTop = Margin + std::max(textHeight, icon.is() ? IconSize : 0) + Margin;
    const int width = std::max(textLeft + textWidth, Margin + buttonsWidth) + Margin;
    const int buttonsLeft = width - Margin - buttonsWidth;
    WindowMaker::place(ok, {buttonsLeft, buttonsTop, okSize.Width, okSize.Height});
    if (cancel.is())
        WindowMaker::place(cancel,
                           {buttonsLeft + okSize.Width + ButtonGap, buttonsTop, cancelSize.Width, cancelSize.Height});
    WindowMaker::resize(box, width, buttonsTop + std::max(okSize.Height, cancelSize.Height) + Margin);

    if (answer == Answer::OnlyOK && !cancel.is()) {
        const rtl::Reference<Dismissal> dismissal(new Dismissal(box, maker.context()));
        dismissal->show(ok);
        disposer.keep();
        return vbOK;
    }
    // OK ends the box with the office's OK; Cancel, Escape and the close box
    // end it with the answer of Escape.
    const sal_Int16 result = Reference<css::awt::XDialog>(box, UNO_QUERY_THROW)->execute();
    return result == OfficeOK ? vbOK : escapeAnswer(request.style);
}

}  // namespace runtime::awt
