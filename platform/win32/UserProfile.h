#pragma once
// The user's own folder, as Windows' user-environment library gives it.
#include <string>

#include "platform/win32/Types.h"

namespace win32 {

// The folder of the user this process runs as (UTF-8, without a trailing
// separator unless it is the root): $HOME, as every Linux program reads it,
// else the user's entry in the password database. FALSE (with the last
// error set, ERROR_FILE_NOT_FOUND) when neither names one.
BOOL GetUserProfileDirectoryA(std::string& profileDir) noexcept;

}  // namespace win32
