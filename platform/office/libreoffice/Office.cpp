#include "platform/office/libreoffice/Office.h"

#include <array>
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
#include <com/sun/star/frame/TerminationVetoException.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/frame/theGlobalEventBroadcaster.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/util/XModifyBroadcaster.hpp>
#include <com/sun/star/util/XModifyListener.hpp>
#include <cppuhelper/implbase1.hxx>
#include <cppuhelper/implbase3.hxx>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <rtl/ref.hxx>
#include <utility>
#include <vector>

#include "platform/office/libreoffice/CalcAsExcel.h"
#include "platform/office/libreoffice/OfficeHost.h"
#include "platform/office/libreoffice/PressInterceptor.h"
#include "platform/office/libreoffice/RunHold.h"
#include "platform/office/libreoffice/ToolbarCommand.h"
#include "platform/office/libreoffice/UserSetup.h"
#include "platform/office/libreoffice/WriterAsWord.h"
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

// The window whose press runs, on which the add-in's windows are modal,
// for as long as the press runs; then the one before it again.
class PressedWindow {
public:
    PressedWindow(Reference<css::frame::XFrame>& place, const Reference<css::frame::XFrame>& frame)
        : place_(place), before_(std::exchange(place, frame)) {}
    ~PressedWindow() { place_ = before_; }
    PressedWindow(const PressedWindow&) = delete;
    PressedWindow& operator=(const PressedWindow&) = delete;

private:
    Reference<css::frame::XFrame>& place_;
    Reference<css::frame::XFrame> before_;
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
    // A host per module whose documents a host takes, made when the first of
    // its documents shows; they end in this order.
    struct Slot {
        const char* module;
        std::function<std::unique_ptr<HostAdapter>()> adapter;
        std::unique_ptr<OfficeHost> host;
    };
    std::array<Slot, 2> slots{
        Slot{WriterAsWord::kModule, [this] { return std::make_unique<WriterAsWord>(context); }, nullptr},
        Slot{CalcAsExcel::kModule, [this] { return std::make_unique<CalcAsExcel>(context); }, nullptr}};
    rtl::Reference<RunHold> hold;
    // The extension as the office registered it at the start: an update
    // is another extension, which starts hosts of its own.
    std::optional<std::string> package;
    bool ended = false;
    // Documents shown or activated during a run wait for its end, so that
    // every call of the run goes to the pressed document.
    bool attachHeld = false;
    // Enabled again after it was disabled, the extension's command handler
    // is back only after the office restarts: the hosts take the presses.
    bool interceptPresses = false;
    std::vector<css::uno::WeakReference<css::frame::XFrame>> intercepted;

    explicit State(const Reference<css::uno::XComponentContext>& officeContext)
        : context(officeContext),
          hold(new RunHold(context, [this](std::function<void()> run) { later(std::move(run)); })) {}

    void later(std::function<void()> run) {
        css::awt::AsyncCallback::create(context)->addCallback(new Later(std::move(run)), Any());
    }

    // The slot of the host whose documents are those of `model`'s module.
    Slot* slotOf(const Reference<css::frame::XModel>& model) {
        if (!model.is()) return nullptr;
        try {
            const std::string module = uno::text(css::frame::ModuleManager::create(context)->identify(model));
            for (Slot& slot : slots)
                if (module == slot.module) return &slot;
        } catch (const css::uno::Exception&) {
            // A component of no module (the start centre) is no document.
        }
        return nullptr;
    }

    // The host of `slot`; made and started on `create` unless the hosts have ended.
    OfficeHost* host(Slot& slot, bool create) {
        if (!slot.host && create && !ended) {
            slot.host = std::make_unique<OfficeHost>(slot.adapter(), context,
                                                     [this](std::function<void()> run) { later(std::move(run)); });
            slot.host->start();
        }
        return slot.host.get();
    }

    void attach(const Reference<css::frame::XModel>& model) {
        Slot* slot = slotOf(model);
        if (!slot || !model->getCurrentController().is()) return;
        OfficeHost* held = host(*slot, true);
        if (!held) return;
        // Before the items show: they ask for their command's handler once.
        if (interceptPresses) intercept(model->getCurrentController()->getFrame());
        held->attach(model);
    }

    void intercept(const Reference<css::frame::XFrame>& frame) {
        if (!frame.is()) return;
        for (const auto& known : intercepted)
            if (Reference<css::frame::XFrame>(known) == frame) return;
        intercepted.emplace_back(frame);
        PressInterceptor::intercept(frame,
                                    [](const Reference<css::frame::XFrame>& pressed, const std::string& command) {
                                        try {
                                            if (Office* office = Office::instance()) office->click(pressed, command);
                                        } catch (const css::uno::Exception& error) {
                                            log(uno::text(error.Message));
                                        } catch (const std::exception& error) {
                                            log(error.what());
                                        }
                                    });
    }

    // Every open document, then the one whose window is in front, which
    // becomes the active one.
    void attachAll() {
        const auto desktop = css::frame::Desktop::create(context);
        if (interceptPresses) {
            const auto frames = desktop->getFrames();
            for (sal_Int32 i = 0; i < frames->getCount(); ++i)
                intercept(Reference<css::frame::XFrame>(frames->getByIndex(i), UNO_QUERY));
        }
        const auto components = desktop->getComponents()->createEnumeration();
        while (components->hasMoreElements())
            attach(Reference<css::frame::XModel>(components->nextElement(), UNO_QUERY));
        attach(Reference<css::frame::XModel>(desktop->getCurrentComponent(), UNO_QUERY));
    }

    void shutDown() {
        if (ended) return;
        ended = true;
        for (Slot& slot : slots)
            if (slot.host) slot.host->shutDown();
        for (Slot& slot : slots) slot.host.reset();
    }

    // A press has ended: what its run held back follows.
    void pressEnded() {
        if (!attachHeld || hold->running()) return;
        attachHeld = false;
        attachAll();
    }

    // css::document::XDocumentEventListener
    void SAL_CALL documentEventOccured(const css::document::DocumentEvent& event) override {
        const Reference<css::frame::XModel> model(event.Source, UNO_QUERY);
        const std::string name = uno::text(event.EventName);
        try {
            if (name == "OnViewCreated" || name == "OnLoad" || name == "OnNew" || name == "OnFocus") {
                if (hold->running())
                    attachHeld = true;
                else
                    attach(model);
            } else if (name == "OnUnload") {
                Slot* slot = slotOf(model);
                if (OfficeHost* held = slot ? host(*slot, false) : nullptr) held->detach(model);
            }
        } catch (const css::uno::Exception& error) {
            log(uno::text(error.Message));
        } catch (const std::exception& error) {
            log(error.what());
        }
    }

    // css::frame::XTerminateListener: the office quits once a run has ended.
    void SAL_CALL queryTermination(const css::lang::EventObject&) override {
        const bool held = hold->holdBack(HeldRequest::Quit,
                                         [desktop = css::frame::Desktop::create(context)] { desktop->terminate(); });
        if (held)
            throw css::frame::TerminationVetoException("pdf-Kalmora erzeugt gerade eine PDF-Datei.",
                                                       static_cast<cppu::OWeakObject*>(this));
    }
    void SAL_CALL notifyTermination(const css::lang::EventObject&) override {
        // Under a run that could not hold the end back the process just ends:
        // the add-ins it calls stay as they are.
        if (hold->running()) return;
        shutDown();
        runtime::setBackend(nullptr);
    }

    // css::util::XModifyListener: extensions were added, removed, enabled or
    // disabled. The extension manager tells on its own thread (the dialog's
    // worker, or a program's call) while it is still changing the
    // extensions; the hosts, their windows and the clipboard belong to the
    // office's main thread, so the change is taken there.
    void SAL_CALL modified(const css::lang::EventObject&) override {
        later([this] { extensionsChanged(); });
    }

    // Once this extension is gone, the hosts end as with the office, after a
    // run; enabled again, they start anew.
    void extensionsChanged() {
        const bool registered = stillRegistered();
        if (ended && registered) {
            log("die Erweiterung ist wieder eingeschaltet: die Add-Ins werden geladen.");
            ended = false;
            interceptPresses = true;
            attachAll();
            return;
        }
        if (ended || registered) return;
        if (hold->holdBack(HeldRequest::AddInsEnd, [this] { extensionsChanged(); })) return;
        log("die Erweiterung ist abgeschaltet oder entfernt: die Add-Ins werden beendet.");
        shutDown();
    }

    void SAL_CALL disposing(const css::lang::EventObject&) override {}

    // The URL of this extension while the office has it registered.
    std::optional<std::string> registeredPackage() const {
        const auto manager = css::deployment::ExtensionManager::get(context);
        css::uno::Sequence<Reference<css::deployment::XPackage>> installed;
        try {
            installed =
                manager->getExtensionsWithSameIdentifier(uno::text(kExtension), uno::text(kExtensionFile), nullptr);
        } catch (const css::lang::IllegalArgumentException&) {
            // The office knows no such extension any more: it was removed.
            return std::nullopt;
        }
        for (const auto& extension : installed) {
            if (!extension.is()) continue;
            const auto registered = extension->isRegistered(nullptr, nullptr);
            if (registered.IsPresent && !registered.Value.IsAmbiguous && registered.Value.Value)
                return uno::text(extension->getURL());
        }
        return std::nullopt;
    }

    bool stillRegistered() const {
        try {
            const std::optional<std::string> now = registeredPackage();
            return now && (!package || *now == *package);
        } catch (const css::uno::Exception& error) {
            // In doubt the add-ins stay: the office is changing its extensions.
            log("die Erweiterungen lassen sich nicht prüfen: " + uno::text(error.Message));
            return !ended;
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
    try {
        state->package = state->registeredPackage();
    } catch (const css::uno::Exception& error) {
        log("die Erweiterungen lassen sich nicht prüfen: " + uno::text(error.Message));
    }
    // Documents the office opened before this start (given on its command line).
    state->attachAll();
    return problem;
}

void Office::click(const Reference<css::frame::XFrame>& frame, const std::string& command) {
    const std::optional<ControlCommand> control = parseCommand(command);
    if (!control || !frame.is() || !frame->getController().is()) return;
    State::Slot* slot = state_.slotOf(frame->getController()->getModel());
    OfficeHost* host = slot ? state_.host(*slot, false) : nullptr;
    if (!host) return;
    // A press while another runs reaches the add-in, which tells the user;
    // the running press keeps its document.
    const Activation activation = state_.hold->running() ? Activation::Unchanged : Activation::PressedDocument;
    {
        std::optional<runtime::AwtBackend::NothingAwaited> unawaited;
        if (activation == Activation::Unchanged) unawaited.emplace();
        const PressedWindow pressed(state_.clicked, frame);
        const RunHold::Press press(*state_.hold, frame);
        host->click(frame, *control, activation);
    }
    state_.pressEnded();
}

}  // namespace office::libreoffice
