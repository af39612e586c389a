#include "platform/com/Activation.h"

#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/com/ClassFactory.h"
#include "platform/com/InprocServers.h"
#include "platform/com/LowerCase.h"
#include "platform/com/Registry.h"

namespace com {

namespace {

// What this process has registered by hand; keys are lower case, since
// ProgIDs and moniker prefixes match without regard to case.
struct Registrations {
    std::mutex mutex;
    std::map<std::string, ObjectFactory> localClasses;
    std::map<std::string, MonikerProvider> monikerProviders;
};

Registrations& registrations() {
    static Registrations instance;
    return instance;
}

// A copy, so that the factory or provider runs without the lock held and
// may itself create objects by name.
template <typename Function>
std::optional<Function> lookUp(std::map<std::string, Function>& table, std::string_view name) {
    Registrations& state = registrations();
    const std::lock_guard lock(state.mutex);
    const auto found = table.find(lowerCase(name));
    if (found == table.end()) return std::nullopt;
    return found->second;
}

Error cannotCreate() {
    return Error::fromNumber(errors::CannotCreateObject);
}

// The registered class's object, or Nothing when any step fails.
Object fromRegistry(const std::string& progId) {
    const auto entry = registry::findProgId(progId);
    if (!entry) return {};
    const Ref<IClassFactory> factory = inproc::classFactory(entry->inprocServer, entry->clsid);
    if (!factory) return {};
    void* out = nullptr;
    if (!succeeded(factory->CreateInstance(nullptr, IID_IDispatch, &out)) || !out) return {};
    return Object(Ref<IDispatch>::adopt(static_cast<IDispatch*>(out)));
}

}  // namespace

Object CreateObject(const std::string& progId) {
    Object object;
    try {
        if (const auto local = lookUp(registrations().localClasses, progId)) {
            object = (*local)();
        } else {
            object = fromRegistry(progId);
        }
    } catch (...) {
        // The caller sees one error whatever went wrong, as with a real
        // server: an unreadable registry, a failing stand-in, no memory.
        throw cannotCreate();
    }
    if (object.isNothing()) throw cannotCreate();
    return object;
}

Object GetObject(const std::string& displayName) {
    const std::size_t colon = displayName.find(':');
    // Without ":" the name would be a file's, and no file opens as an object here.
    const auto provider = colon == std::string::npos ? std::nullopt
                                                     : lookUp(registrations().monikerProviders,
                                                              std::string_view(displayName).substr(0, colon));
    if (!provider) throw Error::fromNumber(errors::FileOrClassNameNotFound);
    return (*provider)(displayName);
}

void registerMonikerProvider(const std::string& prefix, MonikerProvider provider) {
    Registrations& state = registrations();
    const std::lock_guard lock(state.mutex);
    state.monikerProviders.insert_or_assign(lowerCase(prefix), std::move(provider));
}

void registerLocalClass(const std::string& progId, ObjectFactory factory) {
    Registrations& state = registrations();
    const std::lock_guard lock(state.mutex);
    state.localClasses.insert_or_assign(lowerCase(progId), std::move(factory));
}

void unregisterLocalClass(const std::string& progId) {
    Registrations& state = registrations();
    const std::lock_guard lock(state.mutex);
    state.localClasses.erase(lowerCase(progId));
}

void freeUnusedLibraries() {
    inproc::freeUnused();
}

}  // namespace com
