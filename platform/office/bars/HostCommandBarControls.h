#pragma once
// The controls of one bar as the add-in sees them (CommandBarControls, and by
// member name "Count", "Item" by caption or 1-based position, "Add" with
// Type and Temporary). Every Item and Add hands out a new reference.
#include <string>

#include "platform/com/DualInterfaceObject.h"
#include "platform/com/Ref.h"
#include "platform/office/bars/BarControl.h"
#include "platform/office/bars/CommandBarInterfaces.h"
#include "platform/office/bars/HostCommandBar.h"

namespace office {

class HostCommandBarButton;

class HostCommandBarControls final : public com::DualInterfaceObject<CommandBarControls, IID_CommandBarControls> {
public:
    explicit HostCommandBarControls(com::Ref<HostCommandBar> bar);

    // Raises 5 when no control has exactly that caption.
    com::Ref<CommandBarButton> Item(const std::string& caption) override;
    // Only buttons (type 1) can be added; other types raise 5.
    com::Ref<CommandBarButton> Add(int type) override { return add(type, BarControl::Lifetime::Permanent); }
    int Count() const override;

    // Add with the choice the late-bound call offers through Temporary.
    com::Ref<CommandBarButton> add(int type, BarControl::Lifetime lifetime);

protected:
    ~HostCommandBarControls() override = default;

private:
    com::Ref<HostCommandBarButton> byCaption(const std::string& caption);
    com::Ref<HostCommandBarButton> append(std::int32_t type, BarControl::Lifetime lifetime);
    com::Variant item(const com::Variant& index);

    com::Ref<HostCommandBar> bar_;
};

}  // namespace office
