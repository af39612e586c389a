#pragma once
// A fresh world for one test: KALMORA_WORLD points into a temporary folder
// until the test ends.
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace com::testing {

class TemporaryWorld {
public:
    const TempFolder& folder() const { return folder_; }

private:
    TempFolder folder_;
    ScopedVariable world_{"KALMORA_WORLD", folder_.path()};
};

}  // namespace com::testing
