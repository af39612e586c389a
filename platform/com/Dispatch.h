#pragma once
// Late binding: an object reached by member name, with positional and named
// arguments, property get and put, and a default member (the empty name).
#include <string>
#include <string_view>
#include <vector>

#include "Unknown.h"
#include "Variant.h"

namespace com {

enum class CallKind { Method, PropertyGet, PropertyPut };

struct NamedArgument {
    std::string name;
    Variant value;
};

struct Arguments {
    // The initialisers let callers write {{a, b}} without naming `named`
    // (and without -Wmissing-field-initializers).
    std::vector<Variant> positional = {};
    std::vector<NamedArgument> named = {};  // names match without regard to case

    // The argument at `position`, or else the named argument `name`; null
    // when neither was passed.
    const Variant* find(std::size_t position, std::string_view name) const noexcept;
};

// Member and argument names compare without regard to (ASCII) case.
bool sameName(std::string_view a, std::string_view b) noexcept;

// What a failed call hands back instead of throwing across the interface.
struct ExcepInfo {
    std::int32_t number = 0;
    std::string description;
};

// {00020400-0000-0000-C000-000000000046}
inline constexpr Guid IID_IDispatch{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

class IDispatch : public IUnknown {
public:
    // Calls member `name` ("" is the default member). For PropertyPut the new
    // value is the last positional argument. Never throws: a failure returns
    // DISP_E_EXCEPTION with `error` filled in (438 for an unknown member).
    virtual HRESULT Invoke(std::string_view name, CallKind kind, const Arguments& args, Variant* result,
                           ExcepInfo* error) noexcept = 0;

protected:
    ~IDispatch() = default;
};

}  // namespace com
