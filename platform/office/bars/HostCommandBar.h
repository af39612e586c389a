#pragma once
// One command bar of a test host: a name and its controls in order. The
// add-in reaches it through CommandBar (and by member name: "Name",
// "Controls"); the host program adds, finds and clicks controls directly.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/DualInterfaceObject.h"
#include "platform/office/bars/BarControl.h"
#include "platform/office/bars/ClickOutcome.h"
#include "platform/office/bars/CommandBarInterfaces.h"

namespace office {

class HostCommandBar final : public com::DualInterfaceObject<CommandBar, IID_CommandBar> {
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

    // Called after every change a user would see on the bar: a control added
    // or deleted, a property of one set. A host that shows the bar in windows
    // of its own follows it from here; `changed` must not throw.
    void onChange(std::function<void()> changed) { changed_ = std::move(changed); }
    void changed() const;

    // The user clicks the first control with that caption. Throws
    // std::out_of_range when there is none and std::logic_error when it is
    // hidden, as no user could click it then.
    ClickOutcome click(const std::string& caption);

protected:
    ~HostCommandBar() override = default;

private:
    std::string name_;
    std::vector<std::shared_ptr<BarControl>> controls_;
    std::function<void()> changed_;
};

}  // namespace office
