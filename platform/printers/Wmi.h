#pragma once
// The management service for printers: GetObject("winmgmts:...\root\cimv2")
// gives a service whose ExecQuery understands
//   SELECT * FROM Win32_Printer [WHERE Name = '<literal>']
// (keywords without regard to case; in the literal "\\", "\'" and "\"" are
// escapes; an unescaped apostrophe inside the literal ends it and what follows
// makes the query malformed, error 0x80041017 "Ungültige Abfrage"). It returns
// a collection ("Count", "Item", iteration through "_NewEnum" as an array) of
// Win32_Printer objects with "Name", "Default" and "SetDefaultPrinter"
// (returns 0 and makes that printer the user's default).
// GetObject("winmgmts:...\root\default:StdRegProv") gives the registry
// provider, through which the user's default printer can be deleted so that
// there is none (StdRegProv.h).
#include <optional>
#include <string>

#include "platform/com/Object.h"

namespace printers::wmi {

// Registers the "winmgmts" moniker provider; idempotent. The library does it
// itself when it is loaded.
void registerProvider();

// The provider: the service of the namespace root\cimv2 on the local machine
// for a display name such as "winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2"
// ("winmgmts:" alone names it too), or the registry provider for
// "...\root\default:StdRegProv". Raises com::Error 0x8004100E "Ungültiger
// Namespace" for another namespace, 0x80041010 "Ungültige Klasse" for another
// class, 0x800706BA for another machine and
// 0x800401E4 "Ungültige Syntax" for a display name it cannot read.
com::Object openService(const std::string& displayName);

// The printer name that a WQL string literal (without its quotes) stands for;
// none when the literal is malformed (an unescaped apostrophe, or a lone
// backslash at its end, which would escape the closing apostrophe).
std::optional<std::string> parseLiteral(const std::string& literal);

}  // namespace printers::wmi
