#pragma once
// File tests and file deletion of the export command.
#include <string>

#include "platform/com/Boolean.h"

namespace FileChecks {

// True for an existing file or folder.
com::Boolean FileFolderExists(const std::string& Path);
// True when no file of that name is left in the way afterwards; False,
// after the locked-file message, when it could not be deleted.
com::Boolean DeleteExistingFile(const std::string& fileName);
// True when no file of that name exists or it could be deleted now; it is
// left as it is. False, after the locked-file message, otherwise.
com::Boolean FileReplaceable(const std::string& fileName);
// The locked-file message of DeleteExistingFile.
void tellLocked(const std::string& fileName);

// Why nothing more can be written in `folder` (ending in "\\"), for the user:
// its file system is full, with less room left than a page of a PDF needs.
// Empty while there is room.
std::string WhyNoRoom(const std::string& folder);

}  // namespace FileChecks
