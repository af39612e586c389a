#pragma once
// The runtime's Variant: one value of a small set of types that crosses the
// late-bound calls between the add-in, the hosts and the other outside objects.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "Boolean.h"
#include "Ref.h"

namespace com {

class IDispatch;
class Variant;

using Array = std::vector<Variant>;

// Named as the runtime names them (its VbVarType).
enum class VariantType { vbEmpty, vbBoolean, vbInteger, vbLong, vbDouble, vbString, vbObject, vbArray };

class Variant {
public:
    Variant() noexcept;  // Empty
    Variant(Boolean value) noexcept;
    Variant(std::int16_t value) noexcept;  // Integer
    Variant(std::int32_t value) noexcept;  // Long
    Variant(double value) noexcept;
    Variant(std::string value) noexcept;
    Variant(const char* value);
    Variant(Ref<IDispatch> object) noexcept;  // an empty Ref is the object Nothing
    Variant(Array values);
    Variant(const Variant&);
    Variant(Variant&&) noexcept;
    Variant& operator=(const Variant&);
    Variant& operator=(Variant&&) noexcept;
    ~Variant();

    VariantType type() const noexcept;
    bool isEmpty() const noexcept { return type() == VariantType::vbEmpty; }
    bool isObject() const noexcept { return type() == VariantType::vbObject; }

    // Conversions as the runtime makes them. A failing conversion raises
    // error 13 (type mismatch) or 6 (overflow). An object converts through
    // its default member.
    std::string toString() const;
    std::int32_t toLong() const;
    std::int16_t toInteger() const;
    double toDouble() const;
    Boolean toBoolean() const;
    // The object reference; raises 424 (object required) for other types.
    Ref<IDispatch> toObject() const;
    // The elements; raises 13 for other types. A temporary Variant hands out
    // a copy, so that a loop over it never reads a destroyed array.
    const Array& toArray() const&;
    Array toArray() &&;

    // Same type and value; objects compare by identity.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    struct EmptyTag {
        friend bool operator==(EmptyTag, EmptyTag) { return true; }
    };
    std::variant<EmptyTag, Boolean, std::int16_t, std::int32_t, double, std::string, Ref<IDispatch>, Array> value_;
};

}  // namespace com
