#pragma once
// IUnknown for an object that offers one interface: the reference count and
// the interface lookup that every object of the project writes alike.
//
//   class Factory final : public com::Implements<IClassFactory, IID_IClassFactory> { ... };
//
// QueryInterface answers IID_IUnknown and each of `Answered` with the object
// as `Interface`, added a reference; any other identifier gets
// E_NOINTERFACE, a null `out` E_POINTER. A derived class that offers more
// overrides QueryInterface and falls back on this one.
//
// An object starts with one reference, which its creator adopts
// (Ref::adopt), and deletes itself when the last one goes: it must be
// made with new, and its destructor may stay private.
#include <atomic>
#include <cstdint>

#include "platform/com/Unknown.h"

namespace com {

template <typename Interface, const Guid&... Answered>
class Implements : public Interface {
public:
    HRESULT QueryInterface(const Guid& iid, void** out) noexcept override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || ((iid == Answered) || ...)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }

    std::uint32_t AddRef() noexcept override { return references_.fetch_add(1, std::memory_order_relaxed) + 1; }

    std::uint32_t Release() noexcept override {
        // acq_rel: every other holder's writes are seen before the object dies.
        const std::uint32_t left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0) delete this;
        return left;
    }

    Implements(const Implements&) = delete;
    Implements& operator=(const Implements&) = delete;

protected:
    Implements() = default;
    // Virtual, so that Release deletes the whole object whatever it derives.
    virtual ~Implements() = default;

private:
    std::atomic<std::uint32_t> references_{1};
};

}  // namespace com
