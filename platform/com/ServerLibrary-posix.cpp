#include "platform/com/ServerLibrary.h"

#include <dlfcn.h>

#include <cstdio>
#include <utility>

#include "platform/com/ClassFactory.h"

namespace com {

ServerLibraryError::ServerLibraryError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason), path_(std::move(path)), reason_(std::move(reason)) {}

ServerLibrary::ServerLibrary(const std::string& path) : path_(path) {
    // RTLD_LOCAL: two servers may define the same names without one binding
    // to the other's.
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* cause = ::dlerror();
        throw ServerLibraryError(path,
                                 std::string("lässt sich nicht laden: ") + (cause ? cause : "unbekannter Fehler"));
    }
}

ServerLibrary::~ServerLibrary() {
    ::dlclose(handle_);
}

void* ServerLibrary::symbol(const char* name) const noexcept {
    return ::dlsym(handle_, name);
}

void ServerLibrary::call(Registration registration) const {
    const char* entry = registration == Registration::Register ? "DllRegisterServer" : "DllUnregisterServer";
    // POSIX guarantees that dlsym's object pointer converts to a function pointer.
    const auto function = reinterpret_cast<DllRegisterServerFn>(symbol(entry));
    if (function == nullptr) throw ServerLibraryError(path_, std::string("hat keinen Einsprungpunkt ") + entry + ".");
    const HRESULT result = function();
    if (!succeeded(result)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
        throw ServerLibraryError(path_, std::string(entry) + " ist fehlgeschlagen (" + code + ").");
    }
}

}  // namespace com
