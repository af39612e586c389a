#pragma once
// The server's side of late binding: a reference-counted object with a table
// of members. Member handlers may throw com::Error; Invoke turns every
// exception into DISP_E_EXCEPTION, so none crosses the interface.
#include <atomic>
#include <functional>
#include <map>
#include <string>

#include "Dispatch.h"
#include "Error.h"

namespace com {

class AutomationObject : public IDispatch {
public:
    using Getter = std::function<Variant(const Arguments&)>;
    using Setter = std::function<void(const Arguments& index, const Variant& value)>;
    using Method = std::function<Variant(const Arguments&)>;

    HRESULT QueryInterface(const Guid& iid, void** out) noexcept override;
    std::uint32_t AddRef() noexcept override;
    std::uint32_t Release() noexcept override;
    HRESULT Invoke(std::string_view name, CallKind kind, const Arguments& args, Variant* result,
                   ExcepInfo* error) noexcept override;

    // Objects are created with one reference held by the returned Ref.
    template <typename T, typename... A>
    static Ref<T> create(A&&... args) {
        return Ref<T>::adopt(new T(std::forward<A>(args)...));
    }

    AutomationObject(const AutomationObject&) = delete;
    AutomationObject& operator=(const AutomationObject&) = delete;

protected:
    AutomationObject() = default;
    virtual ~AutomationObject() = default;

    // Member names match without regard to case. The default member is
    // registered under the name "".
    void property(const std::string& name, Getter get, Setter put = {});
    void method(const std::string& name, Method call);
    // A collection's "Item" (by position or name, its first argument
    // "Index" not optional), which is also its default member, so that
    // Documents(1) reaches it.
    void collectionItem(std::function<Variant(const Variant& index)> item);

private:
    struct Member {
        Getter get;
        Setter put;
        Method call;
    };
    std::map<std::string, Member> members_;  // key: lower-case name
    std::atomic<std::uint32_t> references_{1};
};

}  // namespace com
