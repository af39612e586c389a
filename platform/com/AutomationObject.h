#pragma once
// The server's side of late binding: a reference-counted object with a table
// of members. Member handlers may throw com::Error; Invoke turns every
// exception into DISP_E_EXCEPTION, so none crosses the interface.
#include <functional>
#include <map>
#include <string>

#include "Dispatch.h"
#include "Error.h"
#include "Implements.h"

namespace com {

class AutomationObject : public Implements<IDispatch, IID_IDispatch> {
public:
    using Getter = std::function<Variant(const Arguments&)>;
    using Setter = std::function<void(const Arguments& index, const Variant& value)>;
    using Method = std::function<Variant(const Arguments&)>;

    HRESULT Invoke(std::string_view name, CallKind kind, const Arguments& args, Variant* result,
                   ExcepInfo* error) noexcept override;

    // Objects are created with one reference held by the returned Ref.
    template <typename T, typename... A>
    static Ref<T> create(A&&... args) {
        return Ref<T>::adopt(new T(std::forward<A>(args)...));
    }

protected:
    AutomationObject() = default;
    ~AutomationObject() override = default;

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
};

}  // namespace com
