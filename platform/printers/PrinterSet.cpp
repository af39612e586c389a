#include "platform/printers/PrinterSet.h"

#include <cstdint>
#include <utility>

#include "platform/printers/WmiErrors.h"

namespace printers::wmi {

namespace {

com::Variant objectValue(Win32Printer* printer) {
    return com::Variant(com::Ref<com::IDispatch>(printer));
}

}  // namespace

PrinterSet::PrinterSet(std::vector<com::Ref<Win32Printer>> printers) : printers_(std::move(printers)) {
    property("Count",
             [this](const com::Arguments&) { return com::Variant(static_cast<std::int32_t>(printers_.size())); });
    const auto item = [this](const com::Arguments& args) { return this->item(args); };
    property("Item", item);
    property("ItemIndex", item);
    property("_NewEnum", [this](const com::Arguments&) {
        com::Array all;
        for (const auto& printer : printers_) all.push_back(objectValue(printer.get()));
        return com::Variant(std::move(all));
    });
}

com::Variant PrinterSet::item(const com::Arguments& args) const {
    const com::Variant* index = args.find(0, "iIndex");
    if (!index) throw com::Error::fromNumber(com::errors::ArgumentNotOptional);
    const std::int32_t position = index->toLong();
    if (position < 0 || static_cast<std::size_t>(position) >= printers_.size()) throw raised(NotFound);
    return objectValue(printers_[static_cast<std::size_t>(position)].get());
}

}  // namespace printers::wmi
