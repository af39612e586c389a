#pragma once
// An Excel worksheet: its "Name", and the number of pages it would print,
// which Excel reports only through a macro of the application.
#include <cstdint>
#include <string>

#include "platform/com/AutomationObject.h"

namespace office {

class Sheet : public com::AutomationObject {
public:
    struct State {
        std::string name = "Tabelle1";
        std::int32_t pages = 1;  // 0: nothing to print
    };

    explicit Sheet(State state);

    State& state() noexcept { return state_; }
    const State& state() const noexcept { return state_; }

protected:
    ~Sheet() override = default;

private:
    State state_;
};

}  // namespace office
