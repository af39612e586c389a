#include "platform/com/ServerClassFactory.h"

namespace com {

ServerClassFactory::ServerClassFactory(ServerModule& module, const ServerClass& serverClass) noexcept
    : module_(module), class_(serverClass), live_(module) {}

Ref<ServerClassFactory> ServerClassFactory::create(ServerModule& module, const ServerClass& serverClass) {
    return Ref<ServerClassFactory>::adopt(new ServerClassFactory(module, serverClass));
}

HRESULT ServerClassFactory::QueryInterface(const Guid& iid, void** out) noexcept {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

std::uint32_t ServerClassFactory::AddRef() noexcept {
    return references_.fetch_add(1, std::memory_order_relaxed) + 1;
}

std::uint32_t ServerClassFactory::Release() noexcept {
    const std::uint32_t left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
}

HRESULT ServerClassFactory::CreateInstance(IUnknown* outer, const Guid& iid, void** out) noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
        const Ref<IDispatch> object = class_.create();
        if (!object) return E_FAIL;
        // The Ref lets go of the object again if it does not offer `iid`.
        return object->QueryInterface(iid, out);
    } catch (...) {
        return E_FAIL;  // nothing may cross the interface
    }
}

HRESULT ServerClassFactory::LockServer(std::int32_t lock) noexcept {
    if (lock) {
        module_.lock();
    } else {
        module_.unlock();
    }
    return S_OK;
}

}  // namespace com
