#include "platform/office/render/OfficeConnection.h"

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/uno/UnoText.h"

namespace office {

namespace {

namespace css = com::sun::star;
using css::uno::Reference;
using uno::fileUrl;
using uno::text;

// This process's own UNO runtime, which talks to the office over the pipe.
// It knows the office's types besides the runtime's own, so that calls on
// the office's objects can be bridged. Made once, kept for the process.
Reference<css::uno::XComponentContext> localContext() {
    static const auto* context = [] {
        const std::filesystem::path office = KALMORA_OFFICE_PROGRAM;
        rtl::Bootstrap::set("URE_MORE_TYPES", fileUrl(office / "types/offapi.rdb"));
        return new Reference<css::uno::XComponentContext>(
            cppu::defaultBootstrap_InitialComponentContext(fileUrl(office / "unorc")));
    }();
    return *context;
}

}  // namespace

Reference<css::uno::XComponentContext> connectToOffice(OfficeProcess& process, std::chrono::seconds limit) {
    const auto resolver = css::bridge::UnoUrlResolver::create(localContext());
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        try {
            return Reference<css::uno::XComponentContext>(resolver->resolve(text(process.connectUrl())),
                                                          css::uno::UNO_QUERY_THROW);
        } catch (const css::connection::NoConnectException&) {
            // Not listening yet.
        }
        if (!process.running())
            throw std::runtime_error("Das Office-Programm hat sich beim Start beendet (Code " +
                                     std::to_string(process.exitCode()) + ").");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("Das Office-Programm antwortet nicht.");
}

}  // namespace office
