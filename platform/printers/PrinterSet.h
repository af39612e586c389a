#pragma once
// The printers a query found, in the order of the print system's list:
// "Count", "Item" / "ItemIndex" (by position from 0) and "_NewEnum", which
// hands out all of them as an array for a For Each loop.
#include <vector>

#include "platform/com/AutomationObject.h"
#include "platform/printers/Win32Printer.h"

namespace printers::wmi {

class PrinterSet : public com::AutomationObject {
public:
    explicit PrinterSet(std::vector<com::Ref<Win32Printer>> printers);

protected:
    ~PrinterSet() override = default;

private:
    com::Variant item(const com::Arguments& args) const;

    std::vector<com::Ref<Win32Printer>> printers_;
};

}  // namespace printers::wmi
