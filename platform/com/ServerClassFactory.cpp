#include "platform/com/ServerClassFactory.h"

namespace com {

ServerClassFactory::ServerClassFactory(ServerModule& module, const ServerClass& serverClass) noexcept
    : module_(module), class_(serverClass), live_(module) {}

Ref<ServerClassFactory> ServerClassFactory::create(ServerModule& module, const ServerClass& serverClass) {
    return Ref<ServerClassFactory>::adopt(new ServerClassFactory(module, serverClass));
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
