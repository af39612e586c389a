#include "platform/win32/UserProfile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/win32/LastError.h"

namespace win32 {

BOOL GetUserProfileDirectoryA(std::string& profileDir) noexcept {
    try {
        std::string home;
        if (const char* variable = std::getenv("HOME"); variable != nullptr && *variable != '\0') {
            home = variable;
        } else if (const passwd* account = ::getpwuid(::geteuid()); account != nullptr && account->pw_dir != nullptr) {
            home = account->pw_dir;
        }
        if (home.empty() || home.front() != '/') return failWith(ERROR_FILE_NOT_FOUND);
        while (home.size() > 1 && home.back() == '/') home.pop_back();
        profileDir = home;
        return TRUE;
    } catch (...) {
        return failWith(ERROR_NOT_ENOUGH_MEMORY);
    }
}

}  // namespace win32
