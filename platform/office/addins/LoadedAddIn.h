#pragma once
// An add-in from the host's list, created by its ProgID and driven through
// its add-in interface.
#include <string>

#include "platform/com/Ref.h"
#include "platform/office/addins/Extensibility.h"

namespace office {

struct LoadedAddIn {
    std::string progId;
    com::Ref<IDTExtensibility2> addIn;
};

// Creates the add-in of `progId`; throws com::Error (429) when it cannot, or
// when the object is no add-in.
LoadedAddIn loadAddIn(const std::string& progId);

}  // namespace office
