#include "platform/office/libreoffice/OfficeHost.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/ModuleManager.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel2.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <cstdio>
#include <iostream>
#include <utility>

#include "platform/com/Activation.h"
#include "platform/office/addins/AddInList.h"
#include "platform/runtime/Interaction.h"
#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;

namespace {

void log(const std::string& line) {
    std::cerr << "pdf-Kalmora: " << line << "\n" << std::flush;
}

}  // namespace

OfficeHost::OfficeHost(std::unique_ptr<HostAdapter> adapter, const Reference<css::uno::XComponentContext>& context,
                       std::function<void(std::function<void()>)> refreshLater)
    : adapter_(std::move(adapter)),
      later_(std::move(refreshLater)),
      addIns_(adapter_->application(),
              [title = std::string(adapter_->hostName()) + " in LibreOffice"](const std::string& text) {
                  log(text);
                  runtime::MsgBox(text, runtime::vbExclamation, title);
              }),
      toolbars_(context, adapter_->module()) {
    adapter_->application().commandBars().onChange([this] { scheduleShow(); });
}

OfficeHost::~OfficeHost() {
    shutDown();
}

void OfficeHost::start() {
    try {
        adapter_->application().commandBars().loadCustomisations();
    } catch (const std::exception& error) {
        log(std::string("gespeicherte Leisten nicht lesbar: ") + error.what());
    }
    std::vector<std::string> progIds;
    try {
        progIds = registeredAddIns(adapter_->hostName());
    } catch (const std::exception& error) {
        log(std::string("die Liste der Add-Ins ist nicht lesbar: ") + error.what());
    }
    if (progIds.empty()) log(std::string("für ") + adapter_->hostName() + " ist kein Add-In angemeldet.");
    addIns_.start(progIds);
}

void OfficeHost::attach(const Reference<css::frame::XModel>& model) {
    const auto found = documents_.find(model);
    if (found == documents_.end())
        documents_.emplace(model, adapter_->open(model));
    else
        found->second.activate();
    scheduleShow();
}

void OfficeHost::detach(const Reference<css::frame::XModel>& model) {
    const auto found = documents_.find(model);
    if (found == documents_.end()) return;
    found->second.close();
    documents_.erase(found);
}

void OfficeHost::click(const Reference<css::frame::XFrame>& frame, const ControlCommand& pressed,
                       Activation activation) {
    const Reference<css::frame::XModel> model = modelOf(frame);
    if (model.is() && activation == Activation::PressedDocument) {
        attach(model);
        documents_.at(model).refresh();
    }
    HostCommandBar* shown = nullptr;
    try {
        shown = &adapter_->application().commandBars().bar(pressed.bar);
    } catch (const std::out_of_range&) {
        return;
    }
    // Held, so that an add-in that deletes the control does not end it while
    // its click goes round.
    std::shared_ptr<BarControl> control;
    const auto& controls = shown->controls();
    if (pressed.position == 0)
        control = shown->find(pressed.caption);
    else if (static_cast<std::size_t>(pressed.position) <= controls.size())
        control = controls[static_cast<std::size_t>(pressed.position - 1)];
    if (!control || !control->properties().visible) return;
    const ClickOutcome outcome = control->click();
    if (!com::succeeded(outcome.result)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(outcome.result));
        log(std::string("der Klick endete mit dem Fehler ") + code + ".");
    }
}

Reference<css::frame::XModel> OfficeHost::modelOf(const Reference<css::frame::XFrame>& frame) const {
    if (!frame.is()) return {};
    const Reference<css::frame::XController> controller = frame->getController();
    return controller.is() ? controller->getModel() : nullptr;
}

std::vector<Reference<css::frame::XFrame>> OfficeHost::frames() const {
    std::vector<Reference<css::frame::XFrame>> result;
    for (const auto& [model, opened] : documents_) {
        const Reference<css::frame::XModel2> views(model, UNO_QUERY);
        if (!views.is()) continue;
        const auto controllers = views->getControllers();
        while (controllers->hasMoreElements()) {
            const Reference<css::frame::XController> controller(controllers->nextElement(), UNO_QUERY);
            if (controller.is() && controller->getFrame().is()) result.push_back(controller->getFrame());
        }
    }
    return result;
}

void OfficeHost::scheduleShow() {
    if (showPending_ || ended_) return;
    showPending_ = true;
    later_([this, alive = std::weak_ptr<int>(alive_)] {
        if (alive.expired()) return;
        showPending_ = false;
        showBars();
    });
}

void OfficeHost::showBars() {
    if (ended_) return;
    const HostCommandBar* standard = nullptr;
    try {
        standard = &adapter_->application().commandBars().bar("Standard");
    } catch (const std::out_of_range&) {
        return;
    }
    try {
        toolbars_.showFaces(*standard);
    } catch (const css::uno::Exception& error) {
        log("die Symbole der Leiste lassen sich nicht zeigen: " + uno::text(error.Message));
    }
    for (const auto& frame : frames()) {
        try {
            watch_.watch(frame);
            toolbars_.show(*standard, frame);
        } catch (const css::uno::Exception& error) {
            log("die Symbolleiste eines Fensters lässt sich nicht ändern: " + uno::text(error.Message));
        }
    }
    try {
        toolbars_.showTabbedMenu(*standard);
    } catch (const css::uno::Exception& error) {
        log("das Menü ≡ der Oberflächen in Registern lässt sich nicht ändern: " + uno::text(error.Message));
    }
}

void OfficeHost::shutDown() {
    if (ended_) return;
    addIns_.shutDown();
    try {
        adapter_->application().commandBars().saveCustomisations();
    } catch (const std::exception& error) {
        log(std::string("Leisten nicht gespeichert: ") + error.what());
    }
    addIns_.release();
    // The windows still open lose the items; then nothing is shown any more.
    showBars();
    ended_ = true;
    try {
        toolbars_.dropFaces();
    } catch (const css::uno::Exception&) {
        // The office is going away with its image lists.
    }
    documents_.clear();
    com::freeUnusedLibraries();
}

}  // namespace office::libreoffice
