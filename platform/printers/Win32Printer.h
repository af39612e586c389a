#pragma once
// One printer as the management service describes it: "Name" (also as
// "DeviceID"), "Default" (Boolean) and the method "SetDefaultPrinter".
// The properties are those of the moment the query ran, as WMI's are.
#include <string>

#include "platform/com/AutomationObject.h"
#include "platform/com/Boolean.h"

namespace printers::wmi {

class Win32Printer : public com::AutomationObject {
public:
    Win32Printer(std::string name, com::Boolean isDefault);

protected:
    ~Win32Printer() override = default;

private:
    std::string name_;
    com::Boolean default_;
};

}  // namespace printers::wmi
