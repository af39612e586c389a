#pragma once
// A fresh world for one test: KALMORA_WORLD points into a temporary folder
// until the test ends.
#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/TempFolder.h"

namespace com::testing {

class TemporaryWorld {
public:
    TemporaryWorld() {
        if (const char* previous = std::getenv("KALMORA_WORLD")) previous_ = previous;
        ::setenv("KALMORA_WORLD", folder_.path().c_str(), 1);
    }
    ~TemporaryWorld() {
        if (previous_) {
            ::setenv("KALMORA_WORLD", previous_->c_str(), 1);
        } else {
            ::unsetenv("KALMORA_WORLD");
        }
    }
    TemporaryWorld(const TemporaryWorld&) = delete;
    TemporaryWorld& operator=(const TemporaryWorld&) = delete;

    const TempFolder& folder() const { return folder_; }

private:
    TempFolder folder_;
    std::optional<std::string> previous_;
};

}  // namespace com::testing
