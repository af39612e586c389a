#pragma once
// The runtime's 16-bit Boolean: True is -1 (all bits set), False is 0.
// Flags that are stored or compared against -1 use this type, not bool.
#include <cstdint>
#include <string>

namespace com {

enum class Boolean : std::int16_t { False = 0, True = -1 };

inline constexpr Boolean True = Boolean::True;
inline constexpr Boolean False = Boolean::False;

// Nonzero gives True.
constexpr Boolean toBoolean(std::int64_t value) noexcept {
    return value != 0 ? True : False;
}
constexpr bool isTrue(Boolean value) noexcept {
    return value != False;
}
constexpr std::int16_t toInteger(Boolean value) noexcept {
    return static_cast<std::int16_t>(value);
}
// The decimal text of the 16-bit value: "-1" or "0".
inline std::string decimalText(Boolean value) {
    return std::to_string(toInteger(value));
}

}  // namespace com
