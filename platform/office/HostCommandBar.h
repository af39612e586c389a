#pragma once
// One command bar of a test host: a name and its controls in order. The
// add-in reaches it through CommandBar (and by member name: "Name",
// "Controls"); the host program adds, finds and clicks controls directly.
#include <memory>
#include <string>
#include <vector>

#include "platform/office/BarControl.h"
#include "platform/office/ClickOutcome.h"
#include "platform/office/CommandBarInterfaces.h"
#include "platform/office/DualInterfaceObject.h"

namespace office {

class HostCommandBar final : public DualInterfaceObject<CommandBar, IID_CommandBar> {
public:
    // A bar as the host starts with it, before any saved customisation.
    struct Layout {
        std::string name;
        std::vector<BarControl::Properties> builtIn = {};
    };

    explicit HostCommandBar(Layout layout);

    std::string Name() const override { return name_; }
    com::Ref<CommandBarControls> Controls() override;

    // The controls on the bar, first to last; deleted ones are gone.
    const std::vector<std::shared_ptr<BarControl>>& controls() const noexcept { return controls_; }
    // The first control with exactly that caption; null when there is none.
    std::shared_ptr<BarControl> find(const std::string& caption) const;
    // Appends a customisation.
    std::shared_ptr<BarControl> append(BarControl::Properties properties, BarControl::Lifetime lifetime);
    // Takes the control off the bar; references to it raise from then on.
    void remove(BarControl& control) noexcept;
    // Takes every saved customisation off the bar (before loading others).
    void removeSaved() noexcept;

    // The user clicks the first control with that caption. Throws
    // std::out_of_range when there is none and std::logic_error when it is
    // hidden, as no user could click it then.
    ClickOutcome click(const std::string& caption);

protected:
    ~HostCommandBar() override = default;

private:
    std::string name_;
    std::vector<std::shared_ptr<BarControl>> controls_;
};

}  // namespace office
