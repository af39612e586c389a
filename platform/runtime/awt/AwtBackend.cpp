#include "platform/runtime/awt/AwtBackend.h"

#include <com/sun/star/awt/XReschedule.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/system/SystemShellExecute.hpp>
#include <com/sun/star/system/SystemShellExecuteFlags.hpp>

#include "platform/runtime/awt/AwtClipboard.h"
#include "platform/runtime/awt/FormDialog.h"
#include "platform/runtime/awt/MessageBoxDialog.h"
#include "platform/runtime/awt/Uno.h"

namespace runtime {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

AwtBackend::AwtBackend(const Reference<css::uno::XComponentContext>& context, ParentWindow parent)
    : context_(context),
      parent_(std::move(parent)),
      maker_(std::make_unique<awt::WindowMaker>(context)),
      clipboard_(std::make_unique<awt::AwtClipboard>(context)) {}

AwtBackend::~AwtBackend() = default;

Reference<css::awt::XWindowPeer> AwtBackend::parent() const {
    if (parent_) {
        if (Reference<css::awt::XWindowPeer> window = parent_(); window.is()) return window;
    }
    const Reference<css::frame::XFrame> frame = css::frame::Desktop::create(context_)->getCurrentFrame();
    if (!frame.is()) return {};
    return Reference<css::awt::XWindowPeer>(frame->getContainerWindow(), UNO_QUERY);
}

namespace {

// How many NothingAwaited objects this thread has made and not yet ended.
thread_local int unawaited = 0;

}  // namespace

AwtBackend::NothingAwaited::NothingAwaited() {
    ++unawaited;
}

AwtBackend::NothingAwaited::~NothingAwaited() {
    --unawaited;
}

int AwtBackend::messageBox(const MessageBoxRequest& request) {
    return awt::showMessageBox(*maker_, parent(), request, unawaited > 0 ? awt::Answer::OnlyOK : awt::Answer::Awaited);
}

void AwtBackend::showModal(Form& form) {
    if (!form.loaded()) return;
    awt::FormDialog dialog(form, *maker_, parent());
    dialog.run();
}

void AwtBackend::processEvents() {
    // The office calls the interface deprecated, yet it is the toolkit's one
    // way to handle the pending events once.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Reference<css::awt::XReschedule>(maker_->toolkit(), UNO_QUERY_THROW)->reschedule();
#pragma GCC diagnostic pop
}

bool AwtBackend::openDocument(const std::string& path) {
    const rtl::OUString url = uno::fileUrl(path);
    if (url.isEmpty()) return false;
    try {
        css::system::SystemShellExecute::create(context_)->execute(url, {},
                                                                   css::system::SystemShellExecuteFlags::URIS_ONLY);
        return true;
    } catch (const css::uno::Exception&) {
        return false;
    }
}

void AwtBackend::clearClipboard() {
    clipboard_->clear();
}

void AwtBackend::setClipboardPicture(const Picture& picture) {
    clipboard_->setPicture(picture);
}

Picture AwtBackend::clipboardPicture() const {
    return clipboard_->picture();
}

}  // namespace runtime
