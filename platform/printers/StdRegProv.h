#pragma once
// The registry provider of the namespace root\default, as far as the print
// system keeps the registry: the user's default printer is the value "Device"
// of HKEY_CURRENT_USER\Software\Microsoft\Windows NT\CurrentVersion\Windows.
// "DeleteValue(hDefKey, sSubKeyName, sValueName)" deletes it, which leaves the
// user without a default printer, and answers 0; it answers 2 (the value is
// not there) for no default printer and for any other value, which this
// registry does not hold. (Unconfirmed on Windows: a Windows that manages the
// default printer itself picks another one; the stand-in copies the one that
// does not, which is what the user who had none expects.)
#include "platform/com/AutomationObject.h"

namespace printers::wmi {

class StdRegProv : public com::AutomationObject {
public:
    StdRegProv();

protected:
    ~StdRegProv() override = default;

private:
    static com::Variant deleteValue(const com::Arguments& args);
};

}  // namespace printers::wmi
