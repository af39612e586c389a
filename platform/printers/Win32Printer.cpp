#include "platform/printers/Win32Printer.h"

#include <cstdint>
#include <utility>

#include "platform/printers/PrintSystem.h"

namespace printers::wmi {

namespace {

// What SetDefaultPrinter answers when the printer was removed after the query.
constexpr std::int32_t ERROR_INVALID_PRINTER_NAME = 1801;

}  // namespace

Win32Printer::Win32Printer(std::string name, com::Boolean isDefault) : name_(std::move(name)), default_(isDefault) {
    const auto nameGetter = [this](const com::Arguments&) { return com::Variant(name_); };
    property("Name", nameGetter);
    property("DeviceID", nameGetter);
    property("Default", [this](const com::Arguments&) { return com::Variant(default_); });
    method("SetDefaultPrinter", [this](const com::Arguments&) {
        return com::Variant(setDefaultPrinter(name_) ? std::int32_t{0} : ERROR_INVALID_PRINTER_NAME);
    });
}

}  // namespace printers::wmi
