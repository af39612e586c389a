#pragma once
// A host object that an add-in reaches both by member name (the members that
// AutomationObject registers) and through a typed interface. IUnknown and
// IDispatch answer for the AutomationObject side, so that identity holds
// whichever interface the caller started from.
#include "platform/com/AutomationObject.h"

namespace com {

template <typename Interface, const Guid& InterfaceId>
class DualInterfaceObject : public AutomationObject, public Interface {
public:
    HRESULT QueryInterface(const Guid& iid, void** out) noexcept override {
        if (out && iid == InterfaceId) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        return AutomationObject::QueryInterface(iid, out);
    }
    std::uint32_t AddRef() noexcept override { return AutomationObject::AddRef(); }
    std::uint32_t Release() noexcept override { return AutomationObject::Release(); }
    HRESULT Invoke(std::string_view name, CallKind kind, const Arguments& args, Variant* result,
                   ExcepInfo* error) noexcept override {
        return AutomationObject::Invoke(name, kind, args, result, error);
    }

    // The late-bound side, as a Variant hands it out.
    IDispatch* dispatch() noexcept { return static_cast<AutomationObject*>(this); }

protected:
    DualInterfaceObject() = default;
    ~DualInterfaceObject() override = default;
};

}  // namespace com
