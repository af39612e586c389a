#include "platform/office/bars/HostCommandBar.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/com/ObjectValue.h"
#include "platform/office/bars/HostCommandBarControls.h"

namespace office {

HostCommandBar::HostCommandBar(Layout layout) : name_(std::move(layout.name)) {
    for (BarControl::Properties& properties : layout.builtIn) {
        controls_.push_back(std::make_shared<BarControl>(std::move(properties), BarControl::Origin::BuiltIn,
                                                         BarControl::Lifetime::Permanent));
    }
    property("Name", [this](const com::Arguments&) { return com::Variant(name_); });
    property("Controls", [this](const com::Arguments&) {
        return com::objectValue(create<HostCommandBarControls>(com::Ref<HostCommandBar>(this))->dispatch());
    });
}

com::Ref<CommandBarControls> HostCommandBar::Controls() {
    auto controls = create<HostCommandBarControls>(com::Ref<HostCommandBar>(this));
    return com::Ref<CommandBarControls>::adopt(controls.detach());
}

std::shared_ptr<BarControl> HostCommandBar::find(const std::string& caption) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&](const auto& control) { return control->properties().caption == caption; });
    return found == controls_.end() ? nullptr : *found;
}

std::shared_ptr<BarControl> HostCommandBar::append(BarControl::Properties properties, BarControl::Lifetime lifetime) {
    auto control = controls_.emplace_back(
        std::make_shared<BarControl>(std::move(properties), BarControl::Origin::Custom, lifetime));
    changed();
    return control;
}

void HostCommandBar::remove(BarControl& control) noexcept {
    control.markDeleted();
    std::erase_if(controls_, [&](const auto& held) { return held.get() == &control; });
    changed();
}

void HostCommandBar::removeSaved() noexcept {
    for (const auto& control : controls_) {
        if (control->saved()) control->markDeleted();
    }
    std::erase_if(controls_, [](const auto& control) { return control->deleted(); });
    changed();
}

void HostCommandBar::changed() const {
    if (changed_) changed_();
}

ClickOutcome HostCommandBar::click(const std::string& caption) {
    // Held here, so that a sink that deletes the control does not end it
    // while its click is still going round.
    const std::shared_ptr<BarControl> control = find(caption);
    if (!control) throw std::out_of_range("no control \"" + caption + "\" on the bar " + name_);
    if (!control->properties().visible) throw std::logic_error("the control \"" + caption + "\" is hidden");
    return control->click();
}

}  // namespace office
