#pragma once
// The service of the namespace root\cimv2: "ExecQuery(query [, language])"
// runs a WQL query over the installed printers (see WqlQuery.h) and answers
// a PrinterSet. The language, when given, must be "WQL".
#include "platform/com/AutomationObject.h"

namespace printers::wmi {

class WmiService : public com::AutomationObject {
public:
    WmiService();

protected:
    ~WmiService() override = default;

private:
    static com::Variant execQuery(const com::Arguments& args);
};

}  // namespace printers::wmi
