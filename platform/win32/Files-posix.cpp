#include "Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>

#include "FileDescriptor.h"
#include "LastError.h"
#include "PathParts.h"

namespace win32 {

namespace {

// Windows tells a missing file in an existing folder from a missing folder.
DWORD missingError(const std::string& path, int error) {
    if (error != ENOENT) return errorFromErrno(error);
    struct stat folder {};
    auto parts = splitPath(path);
    bool folderExists = ::stat(parts.folder.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
    return folderExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// Whether another process holds the file the way a Windows program holds a
// file open without delete sharing: an exclusive flock, or a POSIX write lock.
// On success `file` keeps our own exclusive flock, so that a cooperating
// process cannot take the file between this test and the unlink.
bool heldByAnother(const std::string& path, FileDescriptor& file) {
    file = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!file.valid()) return false;
    int locked = 0;
    do {
        locked = ::flock(file.get(), LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0 && errno == EWOULDBLOCK) return true;
    // A read lock asked for conflicts with write locks only; our own
    // process's POSIX locks never conflict with it and are not reported.
    struct flock query {};
    query.l_type = F_RDLCK;
    query.l_whence = SEEK_SET;
    return ::fcntl(file.get(), F_GETLK, &query) == 0 && query.l_type != F_UNLCK;
}

}  // namespace

std::string hostPath(std::string_view path) {
    std::string host(path);
    std::ranges::replace(host, '\\', '/');
    return host;
}

BOOL PathFileExistsA(std::string_view path) noexcept {
    if (path.empty()) return failWith(ERROR_FILE_NOT_FOUND);
    struct stat status {};
    auto host = hostPath(path);
    // A symbolic link exists in its own right, as Windows reads a link's own
    // attributes: one that leads nowhere still takes its name.
    if (::lstat(host.c_str(), &status) != 0) return failWith(missingError(host, errno));
    return TRUE;
}

namespace {

// What keeps DeleteFileA from deleting `host` now: ERROR_SUCCESS when
// nothing does. `file` keeps our lock on a regular file until the unlink.
DWORD deletionRefused(const std::string& host, FileDescriptor& file) {
    struct stat status {};
    if (::lstat(host.c_str(), &status) != 0) return missingError(host, errno);
    if (S_ISDIR(status.st_mode)) return ERROR_ACCESS_DENIED;
    // Windows' read-only attribute. Permissions alone would not stop root,
    // who runs the tests and the continuous integration, from deleting.
    constexpr mode_t anyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
    if (!S_ISLNK(status.st_mode) && (status.st_mode & anyWrite) == 0) return ERROR_ACCESS_DENIED;
    // Note: opening the file here releases this process's own POSIX locks on
    // it, a POSIX rule; harmless, as the file is about to go.
    if (S_ISREG(status.st_mode) && heldByAnother(host, file)) return ERROR_SHARING_VIOLATION;
    return ERROR_SUCCESS;
}

}  // namespace

BOOL PathIsDirectoryA(std::string_view path) noexcept {
    struct stat status {};
    if (path.empty() || ::stat(hostPath(path).c_str(), &status) != 0) return FALSE;
    return S_ISDIR(status.st_mode) ? TRUE : FALSE;
}

BOOL IsSameFileA(std::string_view first, std::string_view second) noexcept {
    struct stat one {};
    struct stat other {};
    if (first.empty() || second.empty() || ::stat(hostPath(first).c_str(), &one) != 0 ||
        ::stat(hostPath(second).c_str(), &other) != 0)
        return FALSE;
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino ? TRUE : FALSE;
}

UINT GetTempFileNameA(std::string_view pathName, std::string_view prefix, UINT unique,
                      std::string& tempFileName) noexcept {
    if (unique != 0) {
        failWith(ERROR_INVALID_PARAMETER);
        return 0;
    }
    try {
        std::string folder(pathName);
        if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
        const std::string start = folder + std::string(prefix.substr(0, 3));
        static std::mt19937 random{std::random_device{}()};
        for (int attempt = 0; attempt < 100; ++attempt) {
            const UINT number = random() & 0xFFFF;
            if (number == 0) continue;
            char hex[8];
            std::snprintf(hex, sizeof hex, "%X", number);
            const std::string candidate = start + hex + ".tmp";
            const FileDescriptor made(
                ::open(hostPath(candidate).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644));
            if (made.valid()) {
                tempFileName = candidate;
                return number;
            }
            if (errno != EEXIST) {
                failWith(missingError(hostPath(candidate), errno));
                return 0;
            }
        }
        {
            failWith(ERROR_FILE_EXISTS);
            return 0;
        }
    } catch (...) {
        {
            failWith(ERROR_NOT_ENOUGH_MEMORY);
            return 0;
        }
    }
}

BOOL CreateNewFileA(std::string_view path) noexcept {
    try {
        const std::string file = hostPath(path);
        FileDescriptor made(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (made.valid()) return made.close() ? TRUE : failWith(errorFromErrno(errno));
        return failWith(errno == EEXIST ? ERROR_FILE_EXISTS : missingError(file, errno));
    } catch (...) {
        return failWith(ERROR_NOT_ENOUGH_MEMORY);
    }
}

BOOL DeleteFileA(std::string_view path) noexcept {
    if (path.empty()) return failWith(ERROR_PATH_NOT_FOUND);
    auto host = hostPath(path);
    FileDescriptor file;
    if (const DWORD refused = deletionRefused(host, file); refused != ERROR_SUCCESS) return failWith(refused);
    if (::unlink(host.c_str()) != 0) return failWith(missingError(host, errno));
    return TRUE;
}

BOOL CanDeleteFileA(std::string_view path) noexcept {
    if (path.empty()) return failWith(ERROR_PATH_NOT_FOUND);
    FileDescriptor file;
    if (const DWORD refused = deletionRefused(hostPath(path), file); refused != ERROR_SUCCESS) return failWith(refused);
    return TRUE;
}

BOOL GetDiskFreeSpaceExA(std::string_view directoryName, std::uint64_t& freeBytesAvailable) noexcept {
    try {
        struct statvfs fileSystem {};
        if (::statvfs(hostPath(directoryName).c_str(), &fileSystem) != 0) return failWith(missingError("", errno));
        freeBytesAvailable = std::uint64_t{fileSystem.f_bavail} * fileSystem.f_frsize;
        return TRUE;
    } catch (...) {
        return failWith(ERROR_ACCESS_DENIED);  // out of memory for the path
    }
}

}  // namespace win32
