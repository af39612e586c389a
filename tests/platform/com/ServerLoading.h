#pragma once
// Whether a library is loaded in this process, asked without loading it.
#include <dlfcn.h>

#include <string>

namespace com::testing {

inline bool isLoaded(const std::string& path) {
    void* handle = ::dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (!handle) return false;
    ::dlclose(handle);  // NOLOAD still counts a reference
    return true;
}

}  // namespace com::testing
