#include "platform/com/LibraryPath.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

namespace com {

std::string libraryPath(const void* address) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr || *info.dli_fname == '\0') {
        throw std::runtime_error("address belongs to no loaded library");
    }
    // dli_fname is the name the library was loaded by; the registry keeps
    // paths that do not depend on the current folder.
    return std::filesystem::absolute(info.dli_fname).lexically_normal().string();
}

}  // namespace com
