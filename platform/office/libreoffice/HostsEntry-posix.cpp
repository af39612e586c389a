// The hosts' side of the interface to the extension's front (HostsEntry.h).
#include "platform/office/libreoffice/HostsEntry.h"

#include <dlfcn.h>

#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/office/libreoffice/Office.h"
#include "platform/office/libreoffice/OptionsPage.h"
#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace {

namespace css = com::sun::star;

void log(const std::string& line) {
    std::cerr << "pdf-Kalmora: " << line << "\n" << std::flush;
}

// The installation: the folder above the one that holds this library, links
// resolved (the Debian package's extension folder links to it).
std::filesystem::path installationRoot() {
    static const char anchor = 0;
    Dl_info info{};
    if (::dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr)
        throw std::runtime_error("der Ordner der Erweiterung lässt sich nicht bestimmen");
    return std::filesystem::canonical(info.dli_fname).parent_path().parent_path();
}

// Nothing thrown inside may reach the office, which would end the process.
template <typename F>
void firewall(F&& step) noexcept {
    try {
        step();
    } catch (const css::uno::Exception& error) {
        log(uno::text(error.Message));
    } catch (const std::exception& error) {
        log(error.what());
    } catch (...) {
        log("unbekannter Fehler");
    }
}

}  // namespace

}  // namespace office::libreoffice

extern "C" __attribute__((visibility("default"))) int kalmora_hosts_start(
    com::sun::star::uno::XComponentContext* context, const char** problem) {
    using namespace office::libreoffice;
    static std::string told;
    *problem = nullptr;
    try {
        std::optional<std::string> setup;
        try {
            setup = Office::start(com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>(context),
                                  installationRoot());
        } catch (const com::sun::star::uno::Exception& error) {
            setup = "pdf-Kalmora lässt sich nicht starten:\r\n" + uno::text(error.Message);
        } catch (const std::exception& error) {
            setup = std::string("pdf-Kalmora lässt sich nicht starten:\r\n") + error.what();
        }
        if (setup) {
            told = *setup;
            *problem = told.c_str();
        }
    } catch (...) {
        *problem = "pdf-Kalmora lässt sich nicht starten.";
    }
    return Office::instance() != nullptr ? 1 : 0;
}

extern "C" __attribute__((visibility("default"))) void kalmora_hosts_click(com::sun::star::frame::XFrame* frame,
                                                                           const char* command) {
    using namespace office::libreoffice;
    firewall([&] {
        if (Office* office = Office::instance())
            office->click(com::sun::star::uno::Reference<com::sun::star::frame::XFrame>(frame), command);
    });
}

extern "C" __attribute__((visibility("default"))) int kalmora_hosts_options(
    com::sun::star::uno::XComponentContext* context, com::sun::star::awt::XWindow* page, const char* method,
    const char* event) {
    using namespace office::libreoffice;
    bool handled = false;
    firewall([&] {
        handled = handleOptionsPage(com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>(context),
                                    com::sun::star::uno::Reference<com::sun::star::awt::XWindow>(page), method, event);
    });
    return handled ? 1 : 0;
}
