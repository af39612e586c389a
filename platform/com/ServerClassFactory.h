#pragma once
// The class object that a ServerModule hands out for one of its classes.
#include <atomic>

#include "platform/com/ClassFactory.h"
#include "platform/com/ServerModule.h"

namespace com {

class ServerClassFactory final : public IClassFactory {
public:
    // One reference held by the returned Ref. `module` and `serverClass`
    // outlive it: both belong to the loaded library, which the factory keeps
    // loaded by counting as a live object.
    static Ref<ServerClassFactory> create(ServerModule& module, const ServerClass& serverClass);

    HRESULT QueryInterface(const Guid& iid, void** out) noexcept override;
    std::uint32_t AddRef() noexcept override;
    std::uint32_t Release() noexcept override;
    // Refuses an outer object (CLASS_E_NOAGGREGATION); E_FAIL when the
    // class's creation throws or gives nothing; E_NOINTERFACE as the object answers.
    HRESULT CreateInstance(IUnknown* outer, const Guid& iid, void** out) noexcept override;
    HRESULT LockServer(std::int32_t lock) noexcept override;

private:
    ServerClassFactory(ServerModule& module, const ServerClass& serverClass) noexcept;
    ~ServerClassFactory() = default;

    ServerModule& module_;
    const ServerClass& class_;
    ServerModule::LiveObject live_;
    std::atomic<std::uint32_t> references_{1};
};

}  // namespace com
