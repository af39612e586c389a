#include "LastError.h"

#include <cerrno>

namespace win32 {

namespace {

// Per thread, as on Windows: a thread's failure must not overwrite another's.
thread_local DWORD lastError = ERROR_SUCCESS;

}  // namespace

DWORD GetLastError() noexcept {
    return lastError;
}

void SetLastError(DWORD code) noexcept {
    lastError = code;
}

DWORD errorFromErrno(int error) noexcept {
    switch (error) {
        case 0: return ERROR_SUCCESS;
        case ENOENT: return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
        case ENAMETOOLONG: return ERROR_PATH_NOT_FOUND;
        case EEXIST: return ERROR_ALREADY_EXISTS;
        case EBUSY:
        case EWOULDBLOCK: return ERROR_SHARING_VIOLATION;
        default:
            // EACCES, EPERM, EROFS, EISDIR and whatever else refuses the access.
            return ERROR_ACCESS_DENIED;
    }
}

BOOL failWith(DWORD code) noexcept {
    SetLastError(code);
    return FALSE;
}

}  // namespace win32
