#pragma once
// The Variant a member hands back for one of the host's own objects.
#include "platform/com/Dispatch.h"

namespace com {

// Adds a reference for the caller; a null pointer gives the object Nothing.
inline Variant objectValue(IDispatch* object) {
    return Variant(Ref<IDispatch>(object));
}

}  // namespace com
