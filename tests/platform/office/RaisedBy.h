#pragma once
// The error a host call raises, as the add-in would catch it.
#include <functional>
#include <optional>

#include "platform/com/Error.h"

namespace office::testing {

inline std::optional<com::Error> raisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const com::Error& e) {
        return e;
    }
    return std::nullopt;
}

}  // namespace office::testing
