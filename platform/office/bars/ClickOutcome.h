#pragma once
// What the host learns from one click on a control.
#include "platform/com/Boolean.h"
#include "platform/com/Unknown.h"

namespace office {

struct ClickOutcome {
    // As the last connected sink left it: True asks the host to skip the
    // control's own action.
    com::Boolean cancelDefault = com::False;
    // The first failing result a sink returned; the sinks after it were
    // still called. S_OK when none failed.
    com::HRESULT result = com::S_OK;
};

}  // namespace office
