#pragma once
// File tests and file deletion as Windows does them. Paths are UTF-8 and may
// use "\" as well as "/" as the separator.
#include <cstdint>
#include <string>
#include <string_view>

#include "Types.h"

namespace win32 {

// The path as the Linux file system reads it: every "\" becomes "/".
std::string hostPath(std::string_view path);

// TRUE for an existing file, folder or symbolic link (also one that leads
// nowhere); FALSE for the empty path.
BOOL PathFileExistsA(std::string_view path) noexcept;

// TRUE for a folder, or a link to one.
BOOL PathIsDirectoryA(std::string_view path) noexcept;

// TRUE when both paths lead, through any symbolic links, to one existing
// file or folder; FALSE when either leads nowhere.
BOOL IsSameFileA(std::string_view first, std::string_view second) noexcept;

// Makes an empty file of a new name "<prefix><hex>.tmp" in the folder
// `pathName` (of `prefix`, the first three characters) and gives its path
// in `tempFileName`, with "\" after the folder unless it ends in one. Its
// number, never 0; 0 (with the last error set) when no file can be made
// there: a folder that is missing, is a file, or cannot be written. Only
// `unique` 0 is offered: the name is always a new one.
UINT GetTempFileNameA(std::string_view pathName, std::string_view prefix, UINT unique,
                      std::string& tempFileName) noexcept;

// Makes a new, empty file, as CreateFile with CREATE_NEW does; FALSE (with
// the last error set, ERROR_FILE_EXISTS when anything stands there, a link
// too) otherwise.
BOOL CreateNewFileA(std::string_view path) noexcept;

// Deletes a file. Fails (FALSE, with the last error set) where Windows fails:
// on a folder (ERROR_ACCESS_DENIED), on a read-only file (no write permission
// bits; ERROR_ACCESS_DENIED), on a file whose folder forbids the deletion, on
// a file that another process holds under an exclusive flock or fcntl lock
// (ERROR_SHARING_VIOLATION), and on a missing file (ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND).
BOOL DeleteFileA(std::string_view path) noexcept;

// Whether DeleteFileA would delete the file at this moment, without deleting
// it: TRUE, or FALSE with the error DeleteFileA would set. (What Windows
// learns from the read-only attribute and from opening the file for
// deletion without sharing.)
BOOL CanDeleteFileA(std::string_view path) noexcept;

// The bytes the caller may still write on the file system of the folder
// `directoryName`. FALSE, with the last error set, for a folder that is missing.
BOOL GetDiskFreeSpaceExA(std::string_view directoryName, std::uint64_t& freeBytesAvailable) noexcept;

}  // namespace win32
