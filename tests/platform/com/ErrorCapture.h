#pragma once
// Runs a call that should raise and hands back what the caller would see.
#include <functional>
#include <optional>
#include <string>

#include "platform/com/Error.h"

namespace com::testing {

struct Raised {
    std::int32_t number;
    std::string description;
};

inline std::optional<Raised> raisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& e) {
        return Raised{e.number(), e.description()};
    }
    return std::nullopt;
}

}  // namespace com::testing
