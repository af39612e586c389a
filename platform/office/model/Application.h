#pragma once
// What the Word and the Excel test host have in common: the name by which
// the add-in tells them apart (the default member and "Name"), the printer
// that later printing goes to ("ActivePrinter", get and put) and the command
// bars ("CommandBars", unless the host offers them elsewhere).
#include <optional>
#include <string>
#include <vector>

#include "platform/com/AutomationObject.h"
#include "platform/com/Object.h"
#include "platform/com/Ref.h"
#include "platform/office/bars/HostCommandBar.h"
#include "platform/office/bars/HostCommandBars.h"

namespace office {

class Application : public com::AutomationObject {
public:
    // The application as the add-in receives it.
    com::Object object();

    // Another text than the host's own plays a host that is neither Word nor Excel.
    void setName(std::string name) { name_ = std::move(name); }

    // Test set-up of the current printer (and the host's own changes of it);
    // not counted as a write.
    void setActivePrinter(std::string printer) { activePrinter_ = std::move(printer); }
    // The printer last set; until one is set, the user's default printer of
    // the moment. Empty when there is neither.
    std::string activePrinter() const;
    // Every text assigned to "ActivePrinter" through the object, oldest first.
    const std::vector<std::string>& activePrinterWrites() const noexcept { return printerWrites_; }

    // The host's bars, for the host program: clicks, saving, loading, dump.
    HostCommandBars& commandBars() noexcept { return *bars_; }

protected:
    // Whether the application itself offers "CommandBars"; a host without
    // it offers them through a member of its own.
    enum class BarsMember { OnApplication, Elsewhere };

    // `barsHost` names the saved customisations ("Word", "Excel", ...).
    Application(std::string name, std::string barsHost, std::vector<HostCommandBar::Layout> bars,
                BarsMember barsMember = BarsMember::OnApplication);
    ~Application() override = default;

    // Raises the host's error when `printer` may not become the active
    // printer. Any name is taken unless the host says otherwise.
    virtual void checkPrinter(const std::string& printer) const;

private:
    std::string name_;
    std::optional<std::string> activePrinter_;
    std::vector<std::string> printerWrites_;
    com::Ref<HostCommandBars> bars_;
};

}  // namespace office
