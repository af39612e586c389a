// Switching the system's default printer through the printer management.
#include <cstdint>

#include "platform/com/Activation.h"
#include "platform/win32/EscapedText.h"
#include "src/printing/Printing.h"

namespace Printing {

namespace {

// A WQL string literal in apostrophes: the backslash, so that a network
// printer's "\\server\share" keeps its meaning, and the apostrophe, so that
// a name such as "Chef's Laser" does not end the literal early.
constexpr win32::Escape WqlEscapes[] = {{'\\', "\\\\"}, {'\'', "\\'"}};

// The object at `path` of the local machine's management, with impersonation.
com::Object managementObject(const std::string& path) {
    const std::string computer = ".";
    return com::GetObject("winmgmts:" + std::string("{impersonationLevel=impersonate}!\\\\") + computer + "\\" + path);
}

// The printers of exactly that name (one or none) as the printer management
// lists them; raises what the management raises.
com::Variant printersNamed(const std::string& name) {
    const std::string escaped = win32::escaped(name, {.escapes = WqlEscapes});
    const com::Object service = managementObject("root\\cimv2");
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

com::Boolean ClearDefaultPrinter() {
    // Windows keeps the user's default printer as the value "Device" of this
    // key; without it the user has none.
    constexpr auto HKEY_CURRENT_USER = static_cast<std::int32_t>(0x80000001u);
    try {
        const com::Object registry = managementObject("root\\default:StdRegProv");
        // Its answer 2, the value is not there, means there was none: as good.
        registry.call("DeleteValue",
                      {{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "Device"}});
        return com::True;
    } catch (const std::exception&) {
        return com::False;
    }
}

com::Boolean PrinterInstalled(const std::string& sPrinterName) {
    return com::toBoolean(!printersNamed(sPrinterName).toArray().empty());
}

}  // namespace Printing
