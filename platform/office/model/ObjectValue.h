#pragma once
// The Variant a member hands back for one of the host's own objects.
#include "platform/com/Dispatch.h"

namespace office {

// Adds a reference for the caller; a null pointer gives the object Nothing.
inline com::Variant objectValue(com::IDispatch* object) {
    return com::Variant(com::Ref<com::IDispatch>(object));
}

}  // namespace office
