// The extension's three services, as the office finds them (pdf-Kalmora.components):
// the job that starts the hosts when the office starts, the handler of the
// vnd.kalmora: commands, which the toolbar items dispatch when pressed, and
// the handler of the add-in's page in Tools ▸ Options (OptionsDialog.xcu).
// This library links the office's libraries only, so that the office loads
// it whatever the system lacks; the front does the rest (Front.h).
#include <com/sun/star/awt/XContainerWindowEventHandler.hpp>
#include <com/sun/star/frame/DispatchDescriptor.hpp>
#include <com/sun/star/frame/FeatureStateEvent.hpp>
#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>
#include <com/sun/star/lang/XInitialization.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implbase2.hxx>
#include <cppuhelper/implbase4.hxx>
#include <cppuhelper/implementationentry.hxx>
#include <cppuhelper/supportsservice.hxx>
#include <initializer_list>
#include <iostream>

#include "platform/office/libreoffice/Front.h"
#include "platform/office/libreoffice/HostsEntry.h"
#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace {

namespace css = com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;

constexpr const char* kStartupName = "org.kalmora.pdf.Startup";
constexpr const char* kClickName = "org.kalmora.pdf.Click";
constexpr const char* kOptionsName = "org.kalmora.pdf.Einstellungen";

Sequence<rtl::OUString> names(std::initializer_list<const char*> ascii) {
    Sequence<rtl::OUString> result(static_cast<sal_Int32>(ascii.size()));
    sal_Int32 i = 0;
    for (const char* name : ascii) result.getArray()[i++] = rtl::OUString::createFromAscii(name);
    return result;
}

// Nothing thrown inside may reach the office, which would end the process.
template <typename F>
void firewall(F&& step) noexcept {
    try {
        step();
    } catch (const css::uno::Exception& error) {
        std::cerr << "pdf-Kalmora: " << uno::text(error.Message) << "\n";
    } catch (const std::exception& error) {
        std::cerr << "pdf-Kalmora: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "pdf-Kalmora: unbekannter Fehler\n";
    }
}

class Startup final : public cppu::WeakImplHelper2<css::task::XJob, css::lang::XServiceInfo> {
public:
    explicit Startup(const Reference<css::uno::XComponentContext>& context) : context_(context) {}

    Any SAL_CALL execute(const Sequence<css::beans::NamedValue>&) override {
        firewall([&] { Front::instance().start(context_); });
        return Any();
    }

    rtl::OUString SAL_CALL getImplementationName() override { return rtl::OUString::createFromAscii(kStartupName); }
    sal_Bool SAL_CALL supportsService(const rtl::OUString& name) override { return cppu::supportsService(this, name); }
    Sequence<rtl::OUString> SAL_CALL getSupportedServiceNames() override { return names({kStartupName}); }

private:
    Reference<css::uno::XComponentContext> context_;
};

class Click final : public cppu::WeakImplHelper4<css::frame::XDispatchProvider, css::frame::XDispatch,
                                                 css::lang::XInitialization, css::lang::XServiceInfo> {
public:
    explicit Click(const Reference<css::uno::XComponentContext>& context) : context_(context) {}

    // The office hands the handler the window it serves.
    void SAL_CALL initialize(const Sequence<Any>& arguments) override {
        if (arguments.getLength() > 0) arguments[0] >>= frame_;
    }

    Reference<css::frame::XDispatch> SAL_CALL queryDispatch(const css::util::URL& url, const rtl::OUString&,
                                                            sal_Int32) override {
        if (url.Complete.startsWithIgnoreAsciiCase(rtl::OUString::createFromAscii(kCommandPrefix))) return this;
        return nullptr;
    }

    Sequence<Reference<css::frame::XDispatch>> SAL_CALL
    queryDispatches(const Sequence<css::frame::DispatchDescriptor>& requests) override {
        Sequence<Reference<css::frame::XDispatch>> result(requests.getLength());
        auto* out = result.getArray();
        for (sal_Int32 i = 0; i < requests.getLength(); ++i)
            out[i] = queryDispatch(requests[i].FeatureURL, requests[i].FrameName, requests[i].SearchFlags);
        return result;
    }

    void SAL_CALL dispatch(const css::util::URL& url, const Sequence<css::beans::PropertyValue>&) override {
        // The job may not have run yet when the office started with a document.
        firewall([&] { Front::instance().click(context_, frame_, uno::text(url.Complete)); });
    }

    // The items are always enabled.
    void SAL_CALL addStatusListener(const Reference<css::frame::XStatusListener>& listener,
                                    const css::util::URL& url) override {
        if (!listener.is()) return;
        css::frame::FeatureStateEvent state;
        state.Source = static_cast<cppu::OWeakObject*>(this);
        state.FeatureURL = url;
        state.IsEnabled = true;
        state.Requery = false;
        listener->statusChanged(state);
    }
    void SAL_CALL removeStatusListener(const Reference<css::frame::XStatusListener>&, const css::util::URL&) override {}

    rtl::OUString SAL_CALL getImplementationName() override { return rtl::OUString::createFromAscii(kClickName); }
    sal_Bool SAL_CALL supportsService(const rtl::OUString& name) override { return cppu::supportsService(this, name); }
    Sequence<rtl::OUString> SAL_CALL getSupportedServiceNames() override {
        return names({kClickName, "com.sun.star.frame.ProtocolHandler"});
    }

private:
    Reference<css::uno::XComponentContext> context_;
    Reference<css::frame::XFrame> frame_;
};

class Options final : public cppu::WeakImplHelper2<css::awt::XContainerWindowEventHandler, css::lang::XServiceInfo> {
public:
    explicit Options(const Reference<css::uno::XComponentContext>& context) : context_(context) {}

    sal_Bool SAL_CALL callHandlerMethod(const Reference<css::awt::XWindow>& page, const Any& event,
                                        const rtl::OUString& method) override {
        rtl::OUString what;
        event >>= what;
        bool handled = false;
        firewall([&] { handled = Front::instance().options(context_, page, uno::text(method), uno::text(what)); });
        return handled;
    }

    Sequence<rtl::OUString> SAL_CALL getSupportedMethodNames() override {
        Sequence<rtl::OUString> methods(static_cast<sal_Int32>(std::size(kOptionsMethods)));
        for (std::size_t i = 0; i < std::size(kOptionsMethods); ++i)
            methods.getArray()[i] = rtl::OUString::createFromAscii(kOptionsMethods[i]);
        return methods;
    }

    rtl::OUString SAL_CALL getImplementationName() override { return rtl::OUString::createFromAscii(kOptionsName); }
    sal_Bool SAL_CALL supportsService(const rtl::OUString& name) override { return cppu::supportsService(this, name); }
    Sequence<rtl::OUString> SAL_CALL getSupportedServiceNames() override { return names({kOptionsName}); }

private:
    Reference<css::uno::XComponentContext> context_;
};

Reference<css::uno::XInterface> SAL_CALL createStartup(const Reference<css::uno::XComponentContext>& context) {
    return static_cast<cppu::OWeakObject*>(new Startup(context));
}

Reference<css::uno::XInterface> SAL_CALL createClick(const Reference<css::uno::XComponentContext>& context) {
    return static_cast<cppu::OWeakObject*>(new Click(context));
}

Reference<css::uno::XInterface> SAL_CALL createOptions(const Reference<css::uno::XComponentContext>& context) {
    return static_cast<cppu::OWeakObject*>(new Options(context));
}

Sequence<rtl::OUString> SAL_CALL startupServices() {
    return names({kStartupName});
}

Sequence<rtl::OUString> SAL_CALL clickServices() {
    return names({kClickName});
}

Sequence<rtl::OUString> SAL_CALL optionsServices() {
    return names({kOptionsName});
}

rtl::OUString SAL_CALL startupName() {
    return rtl::OUString::createFromAscii(kStartupName);
}

rtl::OUString SAL_CALL clickName() {
    return rtl::OUString::createFromAscii(kClickName);
}

rtl::OUString SAL_CALL optionsName() {
    return rtl::OUString::createFromAscii(kOptionsName);
}

const cppu::ImplementationEntry kEntries[] = {
    {createStartup, startupName, startupServices, cppu::createSingleComponentFactory, nullptr, 0},
    {createClick, clickName, clickServices, cppu::createSingleComponentFactory, nullptr, 0},
    {createOptions, optionsName, optionsServices, cppu::createSingleComponentFactory, nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

}  // namespace

}  // namespace office::libreoffice

extern "C" SAL_DLLPUBLIC_EXPORT void* SAL_CALL component_getFactory(const char* implementation, void* serviceManager,
                                                                    void* registryKey) {
    return cppu::component_getFactoryHelper(implementation, serviceManager, registryKey, office::libreoffice::kEntries);
}
