#pragma once
// A host's command bars: what the add-in reaches through CommandBars (and by
// member name "Item" by name or 1-based position, "Count"), and what the host
// program does with them: clicking a control, saving and loading the
// customisations (the controls added to the bars and not deleted), and a
// listing for the --dump-bars option.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/com/DualInterfaceObject.h"
#include "platform/com/Ref.h"
#include "platform/office/bars/ClickOutcome.h"
#include "platform/office/bars/CommandBarInterfaces.h"
#include "platform/office/bars/HostCommandBar.h"

namespace office {

class HostCommandBars final : public com::DualInterfaceObject<CommandBars, IID_CommandBars> {
public:
    enum class Loaded { FromFile, NothingSaved };

    // `host` is the name under which the customisations are saved: "Word",
    // "Excel" or the application's name.
    HostCommandBars(std::string host, std::vector<HostCommandBar::Layout> bars);

    // The bars a host has unless a test asks for others: "Standard", with a
    // few built-in controls.
    static std::vector<HostCommandBar::Layout> standardLayout();

    // Raises 5 when the host has no bar of that name.
    com::Ref<CommandBar> Item(const std::string& name) override;

    // Throws std::out_of_range when the host has no bar of that name.
    HostCommandBar& bar(const std::string& name) const;
    // The user clicks the first control with that caption on that bar; see
    // HostCommandBar::click.
    ClickOutcome click(const std::string& barName, const std::string& caption) const;
    // The same for the first control with that caption on any bar, the
    // bars taken in order; std::out_of_range when no bar has one.
    ClickOutcome click(const std::string& caption) const;

    // Follows the changes of every bar (HostCommandBar::onChange).
    void onChange(const std::function<void()>& changed);

    // <world>/office/<host>/CommandBars.txt
    std::filesystem::path customisationFile() const;
    // Writes the customisations as they are now, replacing what was saved.
    // Throws std::system_error when the world cannot be written.
    void saveCustomisations() const;
    // Replaces the saved customisations on every bar by those of the file;
    // the bars stay as they are when nothing was saved. Customisations of
    // bars this host does not have are left out. Throws std::runtime_error
    // (and changes nothing) when the file cannot be read.
    Loaded loadCustomisations();

    // One line per bar, then one line per control on it:
    //   bar "Standard"
    //     "pdf-Kalmora" style=3 action="!<WordPDF_ZVK.Connect>" visible=yes face=yes
    std::string dump() const;

protected:
    ~HostCommandBars() override = default;

private:
    HostCommandBar* find(const std::string& name) const noexcept;
    com::Variant item(const com::Variant& index) const;

    std::string host_;
    std::vector<com::Ref<HostCommandBar>> bars_;
};

}  // namespace office
