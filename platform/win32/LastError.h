#pragma once
// Helpers for the functions of this library to report their failures through
// the calling thread's last error (GetLastError in Types.h).
#include "Types.h"

namespace win32 {

// The last-error code for a failed POSIX call's errno. A missing name maps to
// ERROR_FILE_NOT_FOUND; callers that know a folder is missing say so themselves.
DWORD errorFromErrno(int error) noexcept;

// Sets the last error to `code` and returns FALSE, as a failing function ends.
BOOL failWith(DWORD code) noexcept;

}  // namespace win32
