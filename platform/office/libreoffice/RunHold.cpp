#include "platform/office/libreoffice/RunHold.h"

#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseBroadcaster.hpp>
#include <iostream>
#include <vector>

#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

// The pressed window and its document, which both ask before they close.
std::vector<Reference<css::util::XCloseBroadcaster>> closers(const Reference<css::frame::XFrame>& frame) {
    std::vector<Reference<css::util::XCloseBroadcaster>> result{
        Reference<css::util::XCloseBroadcaster>(frame, UNO_QUERY)};
    const Reference<css::frame::XController> controller = frame->getController();
    if (controller.is()) result.emplace_back(controller->getModel(), UNO_QUERY);
    return result;
}

}  // namespace

RunHold::Press::Press(RunHold& hold, const Reference<css::frame::XFrame>& frame)
    : hold_(hold), outer_(!hold.running() && frame.is()) {
    if (outer_) hold_.begin(frame);
}

RunHold::Press::~Press() {
    if (outer_) hold_.end();
}

bool RunHold::holdBack(HeldRequest kind, std::function<void()> request) {
    if (!running()) return false;
    held_[kind] = std::move(request);
    return true;
}

void RunHold::begin(const Reference<css::frame::XFrame>& frame) {
    frame_ = frame;
    try {
        frame_->getContainerWindow()->setEnable(false);
        listen(true);
    } catch (const css::uno::Exception& error) {
        std::cerr << "pdf-Kalmora: das Fenster lässt sich nicht sperren: " << uno::text(error.Message) << "\n";
    }
}

void RunHold::end() {
    try {
        listen(false);
        frame_->getContainerWindow()->setEnable(true);
    } catch (const css::uno::Exception&) {
        // The window went with the office, which ended without asking.
    }
    frame_.clear();
    if (held_.empty()) return;
    // In the order of the kinds: the add-ins end before their window closes,
    // and the office quits last.
    later_([held = std::move(held_)] {
        for (const auto& [kind, request] : held) request();
    });
    held_.clear();
}

void RunHold::listen(bool on) {
    for (const auto& closer : closers(frame_)) {
        if (!closer.is()) continue;
        if (on)
            closer->addCloseListener(this);
        else
            closer->removeCloseListener(this);
    }
}

void RunHold::queryClosing(const css::lang::EventObject&, sal_Bool) {
    if (!running()) return;
    // The user's close box (or the last window's quit) is carried out as the
    // user gave it, once the run has ended.
    const Reference<css::frame::XDispatchProvider> window(frame_, UNO_QUERY);
    holdBack(HeldRequest::CloseWindow, [context = context_, window] {
        if (window.is())
            css::frame::DispatchHelper::create(context)->executeDispatch(window, ".uno:CloseWin", "", 0, {});
    });
    throw css::util::CloseVetoException("pdf-Kalmora erzeugt gerade eine PDF-Datei aus diesem Dokument.",
                                        static_cast<cppu::OWeakObject*>(this));
}

}  // namespace office::libreoffice
