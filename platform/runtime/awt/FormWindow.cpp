#include "platform/runtime/awt/FormWindow.h"

#include <algorithm>
#include <cmath>
#include <com/sun/star/awt/FontDescriptor.hpp>
#include <com/sun/star/awt/VclWindowPeerAttribute.hpp>
#include <com/sun/star/awt/WindowAttribute.hpp>
#include <com/sun/star/awt/XButton.hpp>
#include <com/sun/star/awt/XCheckBox.hpp>
#include <com/sun/star/awt/XDevice.hpp>
#include <com/sun/star/awt/XFixedText.hpp>
#include <com/sun/star/awt/XFont.hpp>
#include <com/sun/star/awt/XLayoutConstrains.hpp>
#include <com/sun/star/awt/XListBox.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/lang/XComponent.hpp>

#include "platform/runtime/awt/Graphic.h"
#include "platform/runtime/awt/TwipScale.h"
#include "platform/runtime/awt/Uno.h"

namespace runtime::awt {

namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

// The layouts were made for an 8 point dialog font; the office's larger
// default would cut texts off at their fixed sizes.
constexpr sal_Int16 DialogFontPoints = 8;
constexpr sal_Int16 SmallestPoints = 6;
constexpr double PointsPerInch = 72;
// A button's frame and the pixel of air inside it, on either side.
constexpr sal_Int32 ButtonFrame = 3;

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::ListBox || kind == ControlKind::CommandButton || kind == ControlKind::CheckBox;
}

bool hasCaption(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::CommandButton || kind == ControlKind::CheckBox;
}

sal_Int32 alignmentOf(Alignment alignment) {
    namespace attribute = css::awt::VclWindowPeerAttribute;
    switch (alignment) {
        case Alignment::Center: return attribute::CENTER;
        case Alignment::Right: return attribute::RIGHT;
        case Alignment::Left: break;
    }
    return attribute::LEFT;
}

void setFont(const Reference<css::awt::XWindowPeer>& peer, const std::string& name, sal_Int16 points) {
    css::awt::FontDescriptor font;
    // An empty name keeps the office's dialog font.
    font.Name = uno::text(name);
    font.Height = points;
    WindowMaker::setProperty(peer, "FontDescriptor", css::uno::Any(font));
}

// The order in which the controls are made. The toolkit tabs through
// sibling windows in the order they were made, and draws the earlier ones
// on top: first the controls that take the focus, by tab index, then the
// others in reverse, so that of two that overlap the later one is on top,
// as the model has it.
std::vector<const Control*> makingOrder(const std::vector<Control>& controls) {
    std::vector<const Control*> focusable;
    std::vector<const Control*> others;
    for (const Control& control : controls) (takesFocus(control.kind) ? focusable : others).push_back(&control);
    std::stable_sort(focusable.begin(), focusable.end(), [](const Control* a, const Control* b) {
        // Out of the tab order (-1): after the others, still reached by a click.
        return static_cast<unsigned>(a->tabIndex) < static_cast<unsigned>(b->tabIndex);
    });
    focusable.insert(focusable.end(), others.rbegin(), others.rend());
    return focusable;
}

css::uno::Sequence<rtl::OUString> itemsOf(const std::vector<std::string>& items) {
    css::uno::Sequence<rtl::OUString> result(static_cast<sal_Int32>(items.size()));
    auto* item = result.getArray();
    for (const std::string& text : items) *item++ = uno::text(text);
    return result;
}

}  // namespace

FormWindow::FormWindow(const Form& form, const WindowMaker& maker, const Reference<css::awt::XWindowPeer>& parent)
    : form_(form), dialog_(maker.dialog(parent, form.caption())) {
    try {
        dotsPerInch_ = WindowMaker::dotsPerInch(dialog_);
        const TwipScale scale(dotsPerInch_);
        width_ = scale.pixels(form.clientWidth());
        height_ = scale.pixels(form.clientHeight());
        WindowMaker::resize(dialog_, width_, height_);
        for (const Control* control : makingOrder(form.controls())) build(*control, maker, scale);
        refresh();
    } catch (...) {
        Reference<css::lang::XComponent>(dialog_, UNO_QUERY_THROW)->dispose();
        throw;
    }
}

FormWindow::~FormWindow() {
    try {
        Reference<css::lang::XComponent>(dialog_, UNO_QUERY_THROW)->dispose();
    } catch (const css::uno::Exception&) {
        // The office is gone with its windows.
    }
}

void FormWindow::build(const Control& control, const WindowMaker& maker, const TwipScale& scale) {
    namespace attribute = css::awt::VclWindowPeerAttribute;
    const PixelBox box{scale.pixels(control.left), scale.pixels(control.top), scale.pixels(control.width),
                       scale.pixels(control.height)};
    Reference<css::awt::XWindowPeer> peer;
    switch (control.kind) {
        case ControlKind::ListBox:
            peer = maker.control(dialog_, "listbox", box, css::awt::WindowAttribute::BORDER | attribute::VSCROLL);
            break;
        case ControlKind::Label:
            // Plain text: a tilde stays a tilde rather than marking a mnemonic.
            peer = maker.control(dialog_, "fixedtext", box, attribute::NOLABEL | alignmentOf(control.alignment));
            WindowMaker::setProperty(peer, "MultiLine", css::uno::Any(true));
            break;
        case ControlKind::PictureBox:
        case ControlKind::Image: {
            // An image stretches its picture over the control; a picture box
            // shows it at its own size from the top left corner, clipped.
            PixelBox shown = box;
            if (control.kind == ControlKind::PictureBox && control.picture.width > 0 && control.picture.height > 0) {
                shown.width = std::min(box.width, control.picture.width);
                shown.height = std::min(box.height, control.picture.height);
            }
            peer = maker.control(dialog_, "fixedimage", shown);
            WindowMaker::setProperty(peer, "ScaleImage", css::uno::Any(control.kind == ControlKind::Image));
            WindowMaker::setProperty(peer, "Graphic", css::uno::Any(graphicOf(control.picture, maker.context())));
            break;
        }
        case ControlKind::CommandButton:
            // No button is the window's default: Enter presses the focused one.
            peer = maker.control(dialog_, "pushbutton", box);
            break;
        case ControlKind::CheckBox: peer = maker.control(dialog_, "checkbox", box); break;
    }
    if (takesFocus(control.kind)) WindowMaker::setProperty(peer, "Tabstop", css::uno::Any(control.tabIndex >= 0));

    const auto points =
        static_cast<sal_Int16>(control.font.points > 0 ? std::lround(control.font.points) : DialogFontPoints);
    setFont(peer, control.font.name, points);
    const PixelBox visible{box.left, box.top, std::min(box.width, width_ - box.left),
                           std::min(box.height, height_ - box.top)};
    shown_.push_back({control.name, control.kind, peer, visible, points});
}

void FormWindow::refresh() {
    for (Shown& shown : shown_) show(shown, form_.control(shown.name));
    const Reference<css::awt::XWindow2> focus(peer(form_.focus()), css::uno::UNO_QUERY);
    if (focus.is() && !focus->hasFocus()) focus->setFocus();
}

void FormWindow::show(Shown& shown, const Control& control) {
    const Reference<css::awt::XWindowPeer>& peer = shown.peer;
    bool textChanged = false;
    if (hasCaption(shown.kind) && shown.caption != control.caption) {
        switch (shown.kind) {
            case ControlKind::Label:
                Reference<css::awt::XFixedText>(peer, UNO_QUERY_THROW)->setText(unoLines(control.caption));
                break;
            case ControlKind::CommandButton:
                Reference<css::awt::XButton>(peer, UNO_QUERY_THROW)->setLabel(uno::text(control.caption));
                break;
            case ControlKind::CheckBox:
                Reference<css::awt::XCheckBox>(peer, UNO_QUERY_THROW)->setLabel(uno::text(control.caption));
                break;
            case ControlKind::ListBox:
            case ControlKind::PictureBox:
            case ControlKind::Image: break;
        }
        shown.caption = control.caption;
        textChanged = true;
    }

    if (shown.kind == ControlKind::ListBox && shown.items != control.items) {
        shown.items = control.items;
        textChanged = true;
    }
    // Fitting a list fills it with its entries.
    if (textChanged) fitText(shown);

    if (shown.kind == ControlKind::ListBox) {
        const Reference<css::awt::XListBox> list(peer, UNO_QUERY_THROW);
        const sal_Int16 selected = list->getSelectedItemPos();
        if (selected != control.listIndex) {
            if (control.listIndex >= 0) {
                list->selectItemPos(static_cast<sal_Int16>(control.listIndex), true);
                list->makeVisible(static_cast<sal_Int16>(control.listIndex));
            } else {
                list->selectItemPos(selected, false);
            }
        }
    } else if (shown.kind == ControlKind::CheckBox) {
        const Reference<css::awt::XCheckBox> box(peer, UNO_QUERY_THROW);
        const sal_Int16 state = control.value != 0 ? 1 : 0;
        if (box->getState() != state) box->setState(state);
    }

    if (shown.toolTip != control.toolTip) {
        WindowMaker::setProperty(peer, "HelpText", css::uno::Any(uno::text(control.toolTip)));
        shown.toolTip = control.toolTip;
    }
    if (shown.shown != control.visible) {
        Reference<css::awt::XWindow>(peer, UNO_QUERY_THROW)->setVisible(control.visible);
        shown.shown = control.visible;
    }
}

void FormWindow::fitText(const Shown& shown) const {
    const Reference<css::awt::XLayoutConstrains> layout(shown.peer, UNO_QUERY_THROW);
    const std::string& name = form_.control(shown.name).font.name;
    // A layout may let a control reach past the client area by a pixel or
    // two, which the original font never filled; the window cuts off what
    // lies beyond, so a text must fit what is left.
    const auto fits = [&](sal_Int16 points) {
        switch (shown.kind) {
            case ControlKind::Label:
                return layout->calcAdjustedSize({shown.visible.width, 0}).Height <= shown.visible.height;
            case ControlKind::CommandButton: {
                // Centred within the frame, with a pixel of air on either
                // side; the toolkit's own minimum size asks for far more.
                css::awt::FontDescriptor font;
                font.Height = static_cast<sal_Int16>(std::lround(points * dotsPerInch_ / PointsPerInch));
                const sal_Int32 width = Reference<css::awt::XDevice>(shown.peer, UNO_QUERY_THROW)
                                            ->getFont(font)
                                            ->getStringWidth(uno::text(form_.control(shown.name).caption));
                return width + 2 * ButtonFrame <= shown.visible.width;
            }
            // A list's minimum width is its widest entry, its margins and
            // a vertical scroll bar: its entries then need no horizontal one.
            // A check box's is its box, the gap and its caption.
            default: return layout->getMinimumSize().Width <= shown.visible.width;
        }
    };
    for (sal_Int16 points = shown.points; points >= SmallestPoints; --points) {
        setFont(shown.peer, name, points);
        // The toolkit measures a list's entries as they are added, in the
        // font of that moment, and keeps their widths through a change of font.
        if (shown.kind == ControlKind::ListBox) {
            const Reference<css::awt::XListBox> list(shown.peer, UNO_QUERY_THROW);
            list->removeItems(0, list->getItemCount());
            list->addItems(itemsOf(shown.items), 0);
        }
        if (fits(points)) break;
    }
}

Reference<css::awt::XWindowPeer> FormWindow::peer(std::string_view name) const {
    for (const Shown& shown : shown_)
        if (shown.name == name) return shown.peer;
    return {};
}

}  // namespace runtime::awt
