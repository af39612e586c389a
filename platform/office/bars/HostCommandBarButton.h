#pragma once
// One reference to a control, as Controls.Item and Controls.Add hand it out
// (CommandBarButton, and by member name "Caption", "Style", "OnAction",
// "Visible", "PasteFace", "Delete", "Type", "BuiltIn"). Several references
// may lead to one control; each connects its own Click sink. Once the
// control is deleted, every call raises, except dropping the sink.
#include <memory>
#include <string>

#include "platform/com/DualInterfaceObject.h"
#include "platform/com/Ref.h"
#include "platform/office/bars/BarControl.h"
#include "platform/office/bars/CommandBarInterfaces.h"
#include "platform/office/bars/HostCommandBar.h"

namespace office {

class HostCommandBarButton final : public com::DualInterfaceObject<CommandBarButton, IID_CommandBarButton> {
public:
    HostCommandBarButton(com::Ref<HostCommandBar> bar, std::shared_ptr<BarControl> control);

    std::string Caption() const override;
    void putCaption(const std::string& caption) override;
    int Style() const override;
    void putStyle(int style) override;
    std::string OnAction() const override;
    void putOnAction(const std::string& action) override;
    bool Visible() const override;
    void putVisible(bool visible) override;
    void PasteFace() override;
    bool hasFace() const override;
    void Delete() override;
    void adviseClick(ButtonClickSink* sink) override;

    // The control behind this reference: the same for every reference to it.
    const BarControl& control() const noexcept { return *control_; }

protected:
    ~HostCommandBarButton() override;

private:
    // The control while it is on its bar; raises as the host does for a
    // member called on a deleted control.
    BarControl& live(const char* member) const;

    com::Ref<HostCommandBar> bar_;
    std::shared_ptr<BarControl> control_;
};

}  // namespace office
