#include "platform/office/libreoffice/HostsLibrary.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace office::libreoffice {

namespace {

// The folder of this library, links resolved.
std::filesystem::path ownFolder() {
    static const char anchor = 0;
    Dl_info info{};
    if (::dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr)
        throw std::runtime_error("der Ordner der Erweiterung lässt sich nicht bestimmen.");
    return std::filesystem::canonical(info.dli_fname).parent_path();
}

template <typename Function>
Function entry(void* handle, const std::string& path, const char* name) {
    // POSIX guarantees that dlsym's object pointer converts to a function pointer.
    const auto function = reinterpret_cast<Function>(::dlsym(handle, name));
    if (function == nullptr) throw std::runtime_error(path + ": der Einsprungpunkt " + name + " fehlt.");
    return function;
}

}  // namespace

HostsLibrary HostsLibrary::load() {
    const std::string path = (ownFolder() / KALMORA_HOSTS_LIBRARY).string();
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* cause = ::dlerror();
        throw std::runtime_error(path + ": " + (cause ? cause : "unbekannter Fehler"));
    }
    return {entry<KalmoraHostsStart>(handle, path, kHostsStart), entry<KalmoraHostsClick>(handle, path, kHostsClick),
            entry<KalmoraHostsOptions>(handle, path, kHostsOptions)};
}

}  // namespace office::libreoffice
