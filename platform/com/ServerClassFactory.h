#pragma once
// The class object that a ServerModule hands out for one of its classes.
#include "platform/com/ClassFactory.h"
#include "platform/com/Implements.h"
#include "platform/com/ServerModule.h"

namespace com {

class ServerClassFactory final : public Implements<IClassFactory, IID_IClassFactory> {
public:
    // One reference held by the returned Ref. `module` and `serverClass`
    // outlive it: both belong to the loaded library, which the factory keeps
    // loaded by counting as a live object.
    static Ref<ServerClassFactory> create(ServerModule& module, const ServerClass& serverClass);

    // Refuses an outer object (CLASS_E_NOAGGREGATION); E_FAIL when the
    // class's creation throws or gives nothing; E_NOINTERFACE as the object answers.
    HRESULT CreateInstance(IUnknown* outer, const Guid& iid, void** out) noexcept override;
    HRESULT LockServer(std::int32_t lock) noexcept override;

private:
    ServerClassFactory(ServerModule& module, const ServerClass& serverClass) noexcept;
    ~ServerClassFactory() override = default;

    ServerModule& module_;
    const ServerClass& class_;
    ServerModule::LiveObject live_;
};

}  // namespace com
