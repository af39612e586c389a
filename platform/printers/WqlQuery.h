#pragma once
// The part of WQL that the service answers:
//   SELECT * FROM Win32_Printer [WHERE Name = <literal>]
// Internal to the print system.
#include <optional>
#include <string>
#include <string_view>

namespace printers::wmi {

struct PrinterQuery {
    std::optional<std::string> name;  // none: every printer
};

// Keywords, the class and the property match without regard to case; blanks,
// tabs and line breaks may stand between the parts, and need to only where
// two words would otherwise run together. Raises com::Error InvalidClass for
// another class and InvalidQuery for anything else it cannot read.
PrinterQuery parseQuery(std::string_view text);

}  // namespace printers::wmi
