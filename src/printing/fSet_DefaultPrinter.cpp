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

// The printers of exactly that name (one or none) as the printer management
// lists them; raises what the management raises.
com::Variant printersNamed(const std::string& name) {
    const std::string escaped = win32::escaped(name, {.escapes = WqlEscapes});
    const std::string computer = ".";
    const com::Object service =
        com::GetObject("winmgmts:" + std::string("{impersonationLevel=impersonate}!\\\\") + computer + "\\root\\cimv2");
    const com::Object found =
        com::Object::from(service.call("ExecQuery", {{"SELECT * FROM Win32_Printer WHERE Name = '" + escaped + "'"}}));
    return found.get("_NewEnum");
}

}  // namespace

com::Boolean fSet_DefaultPrinter(const std::string& sPrinterName) {
    try {
        const com::Variant each = printersNamed(sPrinterName);  // the array must outlive the loop
        for (const com::Variant& printer : each.toArray()) com::Object::from(printer).call("SetDefaultPrinter");
        return com::True;
    } catch (const std::exception&) {
        return com::False;
    }
}

com::Boolean PrinterInstalled(const std::string& sPrinterName) {
    return com::toBoolean(!printersNamed(sPrinterName).toArray().empty());
}

}  // namespace Printing
