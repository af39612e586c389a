#pragma once
// The caller's side of late binding: a handle to an outside object whose
// calls raise failures as com::Error exceptions. A handle without an object
// is Nothing; any call on it raises error 91.
#include <string_view>

#include "Dispatch.h"
#include "Error.h"

namespace com {

class Object {
public:
    Object() noexcept = default;
    explicit Object(Ref<IDispatch> dispatch) noexcept : dispatch_(std::move(dispatch)) {}
    // The object in a Variant; raises 424 when it holds none.
    static Object from(const Variant& value);

    bool isNothing() const noexcept { return !dispatch_; }
    const Ref<IDispatch>& dispatch() const noexcept { return dispatch_; }

    Variant get(std::string_view member, const Arguments& args = {}) const;
    void put(std::string_view member, Variant value, const Arguments& index = {}) const;
    Variant call(std::string_view member, const Arguments& args = {}) const;
    // The default member's value.
    Variant value() const { return get(""); }
    // A property that holds an object.
    Object object(std::string_view member, const Arguments& args = {}) const { return Object::from(get(member, args)); }

    friend bool operator==(const Object&, const Object&) = default;

private:
    Ref<IDispatch> dispatch_;
};

}  // namespace com
