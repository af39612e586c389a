#include "platform/runtime/Printer.h"

#include <exception>

#include "platform/com/Error.h"
#include "platform/printers/PrintSystem.h"

namespace runtime {

namespace {

constexpr std::int32_t PrinterError = 482;

}  // namespace

std::string DefaultPrinterName() {
    std::optional<std::string> name;
    try {
        name = printers::defaultPrinter();
    } catch (const std::exception&) {
        // A print system that cannot be read has no default to offer either;
        // the caller knows how to handle the runtime's printer error only.
    }
    if (!name) throw com::Error(PrinterError, "Druckerfehler");
    return *name;
}

}  // namespace runtime
