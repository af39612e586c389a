#pragma once
// The errors the management service raises, with the numbers WMI gives them
// and their German texts. Internal to the print system.
#include <cstdint>
#include <string>

#include "platform/com/Error.h"

namespace printers::wmi {

struct WmiError {
    std::uint32_t code;
    const char* text;
};

inline constexpr WmiError NotFound{0x80041002u, "Nicht gefunden"};
inline constexpr WmiError InvalidNamespace{0x8004100Eu, "Ungültiger Namespace"};
inline constexpr WmiError InvalidClass{0x80041010u, "Ungültige Klasse"};
inline constexpr WmiError InvalidQuery{0x80041017u, "Ungültige Abfrage"};
inline constexpr WmiError InvalidQueryType{0x80041018u, "Ungültiger Abfragetyp"};
inline constexpr WmiError InvalidSyntax{0x800401E4u, "Ungültige Syntax"};
inline constexpr WmiError ServerUnavailable{0x800706BAu, "Der RPC-Server ist nicht verfügbar."};

// The error as a caller catches it: the code as the negative number that
// the runtime's Err.Number shows for it.
inline com::Error raised(const WmiError& error) {
    return com::Error(static_cast<std::int32_t>(error.code), error.text);
}

}  // namespace printers::wmi
