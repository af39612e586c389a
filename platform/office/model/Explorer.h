#pragma once
// The active window of a host that keeps its command bars on its windows:
// "CommandBars" is reached through the window, not the application.
#include "platform/com/AutomationObject.h"
#include "platform/com/Ref.h"
#include "platform/office/bars/HostCommandBars.h"

namespace office {

class Explorer : public com::AutomationObject {
public:
    explicit Explorer(com::Ref<HostCommandBars> bars);

protected:
    ~Explorer() override = default;

private:
    com::Ref<HostCommandBars> bars_;
};

}  // namespace office
