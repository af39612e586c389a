// Switching the system's default printer through the printer management.
#include "platform/com/Activation.h"
#include "platform/win32/EscapedText.h"
#include "src/printing/Printing.h"

namespace Printing {

namespace {

// A WQL string literal in apostrophes: the backslash, so that a network
// printer's "\\server\share" keeps its meaning, and the apostrophe, so that
// a name such as "Chef's Laser" does not end the literal early.
constexpr win32::Escape WqlEscapes[] = {{'\\', "\\\\"}, {'\'', "\\'"}};

}  // namespace

com::Boolean fSet_DefaultPrinter(const std::string& sPrinterName) {
    try {
        const std::string escaped = win32::escaped(sPrinterName, {.escapes = WqlEscapes});
        const std::string computer = ".";
        const com::Object service = com::GetObject("winmgmts:" + std::string("{impersonationLevel=impersonate}!\\\\") +
                                                   computer + "\\root\\cimv2");
        const com::Object found = com::Object::from(
            service.call("ExecQuery", {{"SELECT * FROM Win32_Printer WHERE Name = '" + escaped + "'"}}));
        const com::Variant each = found.get("_NewEnum");  // the array must outlive the loop
        for (const com::Variant& printer : each.toArray()) com::Object::from(printer).call("SetDefaultPrinter");
        return com::True;
    } catch (const std::exception&) {
        return com::False;
    }
}

}  // namespace Printing
