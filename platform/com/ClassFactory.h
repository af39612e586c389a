#pragma once
// The class object of a creatable class, as an in-process server hands it out.
#include "platform/com/Unknown.h"

namespace com {

// {00000001-0000-0000-C000-000000000046}
inline constexpr Guid IID_IClassFactory{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);

class IClassFactory : public IUnknown {
public:
    // A new object; `outer` must be null (no aggregation).
    virtual HRESULT CreateInstance(IUnknown* outer, const Guid& iid, void** out) noexcept = 0;
    // Keeps the server loaded while locked.
    virtual HRESULT LockServer(std::int32_t lock) noexcept = 0;

protected:
    ~IClassFactory() = default;
};

// The four exports of an in-process server, with C linkage.
extern "C" {
using DllGetClassObjectFn = HRESULT (*)(const Guid* clsid, const Guid* iid, void** out);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
// The library's version record, as "Key=Value" lines; optional export
// "DllVersionInfo", the stand-in for a version resource.
using DllVersionInfoFn = const char* (*)();
}

}  // namespace com
