#include "platform/win32/FileIdentity.h"

#include <sys/stat.h>

#include <string>

#include "platform/win32/Files.h"

namespace win32 {

std::optional<FileIdentity> GetFileIdentityA(std::string_view path) noexcept {
    try {
        struct stat status {};
        if (path.empty() || ::lstat(hostPath(path).c_str(), &status) != 0) return std::nullopt;
        constexpr std::int64_t Billion = 1000000000;
        return FileIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
                            static_cast<std::uint64_t>(status.st_size),
                            static_cast<std::int64_t>(status.st_mtim.tv_sec) * Billion + status.st_mtim.tv_nsec};
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace win32
