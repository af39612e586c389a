#include "platform/win32/Directories.h"

#include <sys/stat.h>
#include <cerrno>
#include <string>

#include "platform/win32/Files.h"

namespace win32 {

BOOL MakeSureDirectoryPathExists(std::string_view path) noexcept {
    try {
        const std::string host = hostPath(path);
        const auto last = host.rfind('/');
        if (last == std::string::npos) return TRUE;
        // Walk the separators left to right; each prefix is one folder level.
        for (auto at = host.find('/', 1); at != std::string::npos && at <= last; at = host.find('/', at + 1)) {
            const std::string folder = host.substr(0, at);
            if (folder.empty() || folder.back() == '/') continue;  // doubled separators
            if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
                SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
                return FALSE;
            }
            struct stat info {};
            if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
                SetLastError(ERROR_ALREADY_EXISTS);
                return FALSE;
            }
        }
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace win32
