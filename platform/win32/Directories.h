#pragma once
// Folder creation as Windows' image-help library does it.
#include <string_view>

#include "platform/win32/Types.h"

namespace win32 {

// Creates every missing folder of the path up to its last separator ("\" or
// "/"); what follows the last separator is taken as a file name and not
// created. Folders that exist are fine. FALSE when a folder cannot be made.
BOOL MakeSureDirectoryPathExists(std::string_view path) noexcept;

}  // namespace win32
