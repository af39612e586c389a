#pragma once
// The in-process servers this process has loaded (internal to kalmora_com):
// one handle per library path, kept until the library says it can go.
#include <string>

#include "platform/com/ClassFactory.h"
#include "platform/com/Ref.h"

namespace com::inproc {

// The class object of `clsid` from the library at `path`, loading the
// library on first use; null when the library cannot be loaded, does not
// export DllGetClassObject, or refuses. The library's DllGetClassObject runs
// under the loader's lock: it must not create objects by name itself.
Ref<IClassFactory> classFactory(const std::string& path, const Guid& clsid) noexcept;

// Unloads every loaded library whose DllCanUnloadNow answers S_OK. A library
// without DllCanUnloadNow stays loaded.
void freeUnused() noexcept;

}  // namespace com::inproc
