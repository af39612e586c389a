#include "platform/office/libreoffice/Office.h"

#include <com/sun/star/awt/AsyncCallback.hpp>
#include <com/sun/star/awt/XCallback.hpp>
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <com/sun/star/beans/Ambiguous.hpp>
#include <com/sun/star/beans/Optional.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/deployment/ExtensionManager.hpp>
#include <com/sun/star/deployment/XPackage.hpp>
#include <com/sun/star/document/DocumentEvent.hpp>
#include <com/sun/star/document/XDocumentEventBroadcaster.hpp>
#include <com/sun/star/document/XDocumentEventListener.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/ModuleManager.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/frame/theGlobalEventBroadcaster.hpp>
#include <com/sun/star/util/XModifyBroadcaster.hpp>
#include <com/sun/star/util/XModifyListener.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/implbase3.hxx>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

#include "platform/office/libreoffice/OfficeHost.h"
#include "platform/office/libreoffice/ToolbarItems.h"
#include "platform/office/libreoffice/UserSetup.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/awt/AwtBackend.h"
#include "platform/uno/UnoText.h"
#include "platform/world/World.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr const char* kExtension = "org.kalmora.pdf-kalmora";
constexpr const char* kExtensionFile = "pdf-Kalmora.oxt";

Office* theOffice = nullptr;

void log(const std::string& line) {
    std::cerr << "pdf-Kalmora: " << line << "\n" << std::flush;
}

// Runs a function on the main thread after the current event.
class Later final : public cppu::WeakImplHelper1<css::awt::XCallback> {
public:
    explicit Later(std::function<void()> run) : run_(std::move(run)) {}
    void SAL_CALL notify(const Any&) override {
        try {
            run_();
        } catch (const std::exception& error) {
            log(error.what());
        } catch (const css::uno::Exception& error) {
            log(uno::text(error.Message));
        }
    }

private:
    std::function<void()> run_;
};

// The office's world: where the add-ins, printers and bars of this user
// are; none when the user has none.
std::optional<std::filesystem::path> existingWorld() {
    try {
        std::filesystem::path folder = world::folderFor([](const char* name) { return std::getenv(name); });
        if (std::filesystem::is_directory(folder)) return folder;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace

// Everything the office's events reach.
struct Office::State final : public cppu::WeakImplHelper3<css::document::XDocumentEventListener,
                                                          css::frame::XTerminateListener, css::util::XModifyListener> {
    Reference<css::uno::XComponentContext> context;
    Reference<css::frame::XFrame> clicked;  // the window whose button runs now
    std::unique_ptr<OfficeHost> word;
    std::unique_ptr<OfficeHost> excel;
    bool ended = false;

    explicit State(const Reference<css::uno::XComponentContext>& officeContext) : context(officeContext) {}

    void later(std::function<void()> run) {
        css::awt::AsyncCallback::create(context)->addCallback(new Later(std::move(run)), Any());
    }

    std::optional<HostKind> kindOf(const Reference<css::frame::XModel>& model) const {
        if (!model.is()) return std::nullopt;
        try {
            const std::string module = uno::text(css::frame::ModuleManager::create(context)->identify(model));
            if (module == OfficeHost::module(HostKind::Word)) return HostKind::Word;
            if (module == OfficeHost::module(HostKind::Excel)) return HostKind::Excel;
        } catch (const css::uno::Exception&) {
            // A component of no module (the start centre) is no document.
        }
        return std::nullopt;
    }

    OfficeHost* host(HostKind kind, bool create) {
        std::unique_ptr<OfficeHost>& held = kind == HostKind::Word ? word : excel;
        if (!held && create && !ended) {
            held = std::make_unique<OfficeHost>(kind, context,
                                                [this](std::function<void()> run) { later(std::move(run)); });
            held->start();
        }
        return held.get();
    }

    void attach(const Reference<css::frame::XModel>& model) {
        const std::optional<HostKind> kind = kindOf(model);
        if (!kind || !model->getCurrentController().is()) return;
        host(*kind, true)->attach(model);
    }

    void shutDown() {
        if (ended) return;
        ended = true;
        if (word) word->shutDown();
        if (excel) excel->shutDown();
        word.reset();
        excel.reset();
    }

    // css::document::XDocumentEventListener
    void SAL_CALL documentEventOccured(const css::document::DocumentEvent& event) override {
        const Reference<css::frame::XModel> model(event.Source, UNO_QUERY);
        const std::string name = uno::text(event.EventName);
        try {
            if (name == "OnViewCreated" || name == "OnLoad" || name == "OnNew" || name == "OnFocus") {
                attach(model);
            } else if (name == "OnUnload") {
                const std::optional<HostKind> kind = kindOf(model);
                if (OfficeHost* held = kind ? host(*kind, false) : nullptr) held->detach(model);
            }
        } catch (const css::uno::Exception& error) {
            log(uno::text(error.Message));
        } catch (const std::exception& error) {
            log(error.what());
        }
    }

    // css::frame::XTerminateListener
    void SAL_CALL queryTermination(const css::lang::EventObject&) override {}
    void SAL_CALL notifyTermination(const css::lang::EventObject&) override {
        shutDown();
        runtime::setBackend(nullptr);
    }

    // css::util::XModifyListener: extensions were added, removed, enabled or
    // disabled. Once this one is gone, the hosts end as with the office.
    void SAL_CALL modified(const css::lang::EventObject&) override {
        if (ended || stillRegistered()) return;
        log("die Erweiterung ist abgeschaltet oder entfernt: die Add-Ins werden beendet.");
        shutDown();
    }

    void SAL_CALL disposing(const css::lang::EventObject&) override {}

    bool stillRegistered() const {
        try {
            const auto manager = css::deployment::ExtensionManager::get(context);
            const auto installed =
                manager->getExtensionsWithSameIdentifier(uno::text(kExtension), uno::text(kExtensionFile), nullptr);
            for (const auto& package : installed) {
                if (!package.is()) continue;
                const auto registered = package->isRegistered(nullptr, nullptr);
                if (registered.IsPresent && !registered.Value.IsAmbiguous && registered.Value.Value) return true;
            }
            return false;
        } catch (const css::uno::Exception& error) {
            // In doubt the add-ins stay: the office is changing its extensions.
            log("die Erweiterungen lassen sich nicht prüfen: " + uno::text(error.Message));
            return true;
        }
    }
};

Office* Office::instance() noexcept {
    return theOffice;
}

std::optional<std::string> Office::start(const Reference<css::uno::XComponentContext>& context,
                                         const std::filesystem::path& root) {
    if (theOffice) return std::nullopt;
    // Before the world is looked for: the setup makes it.
    std::optional<std::string> problem = UserSetup(root).run();
    if (problem) log(*problem);
    if (!existingWorld()) {
        log("keine Welt gefunden ($KALMORA_WORLD oder ~/.local/share/kalmora-world): Writer und Calc laden keine "
            "Add-Ins.");
        return problem;
    }
    State* state = new State(context);
    state->acquire();
    theOffice = new Office(*state);

    State* events = state;
    runtime::setBackend(std::make_shared<runtime::AwtBackend>(context, [events] {
        Reference<css::frame::XFrame> frame = events->clicked;
        if (!frame.is()) frame = css::frame::Desktop::create(events->context)->getCurrentFrame();
        return frame.is() ? Reference<css::awt::XWindowPeer>(frame->getContainerWindow(), UNO_QUERY)
                          : Reference<css::awt::XWindowPeer>();
    }));

    const auto desktop = css::frame::Desktop::create(context);
    desktop->addTerminateListener(state);
    css::frame::theGlobalEventBroadcaster::get(context)->addDocumentEventListener(state);
    try {
        Reference<css::util::XModifyBroadcaster>(css::deployment::ExtensionManager::get(context), UNO_QUERY_THROW)
            ->addModifyListener(state);
    } catch (const css::uno::Exception& error) {
        log("die Erweiterungen lassen sich nicht beobachten: " + uno::text(error.Message));
    }
    // Documents the office opened before this start (given on its command line).
    const auto components = desktop->getComponents()->createEnumeration();
    while (components->hasMoreElements())
        state->attach(Reference<css::frame::XModel>(components->nextElement(), UNO_QUERY));
    return problem;
}

void Office::click(const Reference<css::frame::XFrame>& frame, const std::string& command) {
    const std::optional<ControlCommand> control = parseCommand(command);
    if (!control || !frame.is() || !frame->getController().is()) return;
    const std::optional<HostKind> kind = state_.kindOf(frame->getController()->getModel());
    OfficeHost* host = kind ? state_.host(*kind, false) : nullptr;
    if (!host) return;
    const Reference<css::frame::XFrame> before = state_.clicked;
    state_.clicked = frame;
    host->click(frame, control->bar, control->position);
    state_.clicked = before;
}

}  // namespace office::libreoffice
