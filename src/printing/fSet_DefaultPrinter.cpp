// Switching the system's default printer through the printer management.
#include "platform/com/Activation.h"
#include "src/printing/Printing.h"

namespace Printing {

com::Boolean fSet_DefaultPrinter(const std::string& sPrinterName) {
    try {
        // A query's string literal needs its backslashes doubled, so that a
        // network printer's "\\server\share" keeps its meaning.
        std::string escaped;
        for (const char c : sPrinterName) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);

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
