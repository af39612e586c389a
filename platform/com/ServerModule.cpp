#include "platform/com/ServerModule.h"

#include "platform/com/LibraryPath.h"
#include "platform/com/Registry.h"
#include "platform/com/ServerClassFactory.h"

namespace com {

ServerModule::LiveObject::LiveObject(ServerModule& module) noexcept : module_(module) {
    module_.objects_.fetch_add(1, std::memory_order_relaxed);
}

ServerModule::LiveObject::~LiveObject() {
    module_.objects_.fetch_sub(1, std::memory_order_acq_rel);
}

HRESULT ServerModule::getClassObject(std::span<const ServerClass> classes, const Guid* clsid, const Guid* iid,
                                     void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!clsid || !iid) return E_POINTER;
    for (const ServerClass& serverClass : classes) {
        if (serverClass.clsid != *clsid) continue;
        try {
            return ServerClassFactory::create(*this, serverClass)->QueryInterface(*iid, out);
        } catch (...) {
            return E_FAIL;
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ServerModule::canUnloadNow() const noexcept {
    const bool idle = objects_.load(std::memory_order_acquire) == 0 && locks_.load(std::memory_order_acquire) == 0;
    return idle ? S_OK : S_FALSE;
}

std::string ServerModule::libraryPath() const {
    return com::libraryPath(this);
}

HRESULT ServerModule::registerServer(std::span<const ServerClass> classes) const noexcept {
    try {
        const std::string path = libraryPath();
        for (const ServerClass& serverClass : classes) {
            registry::registerClass({serverClass.clsid, serverClass.progId, path, serverClass.threadingModel});
        }
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT ServerModule::unregisterServer(std::span<const ServerClass> classes) const noexcept {
    try {
        for (const ServerClass& serverClass : classes) registry::unregisterClass(serverClass.clsid);
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

void ServerModule::lock() noexcept {
    locks_.fetch_add(1, std::memory_order_relaxed);
}

void ServerModule::unlock() noexcept {
    std::int32_t held = locks_.load(std::memory_order_relaxed);
    while (held > 0 && !locks_.compare_exchange_weak(held, held - 1, std::memory_order_acq_rel)) {
    }
}

}  // namespace com
