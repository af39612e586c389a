#include "platform/com/InprocServers.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace com::inproc {

namespace {

struct Library {
    void* handle = nullptr;
    DllGetClassObjectFn getClassObject = nullptr;
    DllCanUnloadNowFn canUnloadNow = nullptr;
};

// The handles stay open until freeUnused closes them: objects of a library
// may be alive anywhere in the process, and closing under them would unmap
// their code.
struct Loaded {
    std::mutex mutex;
    std::map<std::string, Library> libraries;  // key: the path as registered
};

Loaded& loaded() {
    static Loaded instance;
    return instance;
}

template <typename Function>
Function symbol(void* handle, const char* name) noexcept {
    // POSIX guarantees that dlsym's object pointer converts to a function pointer.
    return reinterpret_cast<Function>(::dlsym(handle, name));
}

// The library at `path`, loaded if it is not yet; null on failure.
const Library* load(std::map<std::string, Library>& libraries, const std::string& path) noexcept {
    try {
        if (const auto found = libraries.find(path); found != libraries.end()) return &found->second;
        // RTLD_LOCAL: two servers may define the same names without one
        // binding to the other's.
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) return nullptr;
        Library library{handle, symbol<DllGetClassObjectFn>(handle, "DllGetClassObject"),
                        symbol<DllCanUnloadNowFn>(handle, "DllCanUnloadNow")};
        if (!library.getClassObject) {
            ::dlclose(handle);
            return nullptr;
        }
        return &libraries.emplace(path, library).first->second;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

Ref<IClassFactory> classFactory(const std::string& path, const Guid& clsid) noexcept {
    if (path.empty()) return nullptr;
    Loaded& state = loaded();
    // Held while the library answers: freeUnused on another thread must not
    // unload it between loading and the class object's first reference.
    const std::lock_guard lock(state.mutex);
    const Library* library = load(state.libraries, path);
    if (!library) return nullptr;
    void* out = nullptr;
    if (!succeeded(library->getClassObject(&clsid, &IID_IClassFactory, &out)) || !out) {
        return nullptr;
    }
    return Ref<IClassFactory>::adopt(static_cast<IClassFactory*>(out));
}

void freeUnused() noexcept {
    Loaded& state = loaded();
    const std::lock_guard lock(state.mutex);
    for (auto it = state.libraries.begin(); it != state.libraries.end();) {
        const Library& library = it->second;
        if (library.canUnloadNow && library.canUnloadNow() == S_OK) {
            ::dlclose(library.handle);
            it = state.libraries.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace com::inproc
