#pragma once
// What the Word and the Excel test host have in common: the name by which
// the add-in tells them apart (the default member and "Name") and the
// printer that later printing goes to ("ActivePrinter", get and put).
#include <string>
#include <vector>

#include "platform/com/AutomationObject.h"
#include "platform/com/Object.h"

namespace office {

class Application : public com::AutomationObject {
public:
    // The application as the add-in receives it.
    com::Object object();

    // Another text than the host's own plays a host that is neither Word nor Excel.
    void setName(std::string name) { name_ = std::move(name); }

    // Test set-up of the current printer; not counted as a write.
    void setActivePrinter(std::string printer) { activePrinter_ = std::move(printer); }
    const std::string& activePrinter() const noexcept { return activePrinter_; }
    // Every text assigned to "ActivePrinter" through the object, oldest first.
    const std::vector<std::string>& activePrinterWrites() const noexcept { return printerWrites_; }

protected:
    explicit Application(std::string name);
    ~Application() override = default;

private:
    std::string name_;
    std::string activePrinter_;
    std::vector<std::string> printerWrites_;
};

}  // namespace office
