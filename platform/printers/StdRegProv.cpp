#include "platform/printers/StdRegProv.h"

#include <cstdint>
#include <string>

#include "platform/printers/PrintSystem.h"
#include "platform/printers/PrinterNames.h"

namespace printers::wmi {

namespace {

constexpr std::int32_t HKEY_CURRENT_USER = static_cast<std::int32_t>(0x80000001u);
constexpr const char* WindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr const char* DeviceValue = "Device";
constexpr std::int32_t Done = 0;
constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;

const com::Variant& argument(const com::Arguments& args, std::size_t position, const char* name) {
    const com::Variant* value = args.find(position, name);
    if (!value) throw com::Error::fromNumber(com::errors::ArgumentNotOptional);
    return *value;
}

}  // namespace

StdRegProv::StdRegProv() {
    method("DeleteValue", &StdRegProv::deleteValue);
}

com::Variant StdRegProv::deleteValue(const com::Arguments& args) {
    const std::int32_t key = argument(args, 0, "hDefKey").toLong();
    const std::string subKey = argument(args, 1, "sSubKeyName").toString();
    const std::string value = argument(args, 2, "sValueName").toString();
    // Key and value names compare without regard to case, as the registry's do.
    if (key != HKEY_CURRENT_USER || !sameName(subKey, WindowsKey) || !sameName(value, DeviceValue) || !defaultPrinter())
        return com::Variant(ERROR_FILE_NOT_FOUND);
    clearDefaultPrinter();
    return com::Variant(Done);
}

}  // namespace printers::wmi
