#include "ProcessApi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

#include "Files.h"
#include "LastError.h"
#include "Process.h"
#include "ProcessHandles.h"

namespace win32 {

namespace {

// Without STARTF_USESHOWWINDOW a Windows program shows its window as it
// likes, which for the programs started here means shown.
int showWindowOf(const STARTUPINFOA& startup) {
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWNORMAL;
}

bool exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// Hard links refuse an existing name atomically, but not for folders or on
// file systems without them; there only the test before the rename is left.
BOOL moveByLink(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return TRUE;
    }
    if (errno == EEXIST) return failWith(ERROR_ALREADY_EXISTS);
    if (exists(to)) return failWith(ERROR_ALREADY_EXISTS);
    if (::rename(from.c_str(), to.c_str()) == 0) return TRUE;
    return failWith(errorFromErrno(errno));
}

}  // namespace

// Handle inheritance and the priority class have nothing to act on here:
// startProcess passes the standard streams alone, at the caller's priority.
BOOL CreateProcessA(const std::string& commandLine, BOOL, DWORD, const STARTUPINFOA& startup,
                    PROCESS_INFORMATION& information) noexcept {
    StartedProcess started;
    const bool errorFile = (startup.dwFlags & STARTF_USESTDHANDLES) != 0;
    if (!startProcess({commandLine, showWindowOf(startup), errorFile ? startup.hStdError : ""}, started)) return FALSE;
    try {
        auto handles = ProcessHandles::instance().open(started.pid);
        // The main thread of a Linux process carries the process id.
        const auto id = static_cast<DWORD>(started.pid);
        information = {handles.process, handles.thread, id, id};
    } catch (...) {
        // Out of memory for the table: the program runs, reaped as any
        // other, but the caller gets no handle to wait on.
        return failWith(ERROR_ACCESS_DENIED);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) noexcept {
    switch (ProcessHandles::instance().wait(handle, milliseconds)) {
        case ProcessHandles::Wait::Ended: return WAIT_OBJECT_0;
        case ProcessHandles::Wait::Running: return WAIT_TIMEOUT;
        case ProcessHandles::Wait::NoSuchHandle: SetLastError(ERROR_INVALID_HANDLE); return WAIT_FAILED;
        case ProcessHandles::Wait::Failed: break;
    }
    SetLastError(ERROR_ACCESS_DENIED);
    return WAIT_FAILED;
}

BOOL GetExitCodeProcess(HANDLE process, DWORD& exitCode) noexcept {
    const auto code = ProcessHandles::instance().exitCode(process);
    if (!code) return failWith(ERROR_INVALID_HANDLE);
    exitCode = static_cast<DWORD>(*code);
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) noexcept {
    if (!ProcessHandles::instance().close(handle)) return failWith(ERROR_INVALID_HANDLE);
    return TRUE;
}

BOOL MoveFileA(const std::string& existingFile, const std::string& newFile) noexcept {
    try {
        const auto from = hostPath(existingFile);
        const auto to = hostPath(newFile);
        if (!exists(from)) return failWith(errno == ENOENT ? ERROR_FILE_NOT_FOUND : errorFromErrno(errno));
        // rename() would replace the destination silently; Windows refuses.
        if (exists(to)) return failWith(ERROR_ALREADY_EXISTS);
        // Windows moves a file only with delete access: a file that another
        // program holds locked stays where it is.
        if (!CanDeleteFileA(existingFile) && GetLastError() == ERROR_SHARING_VIOLATION) return FALSE;
            // The add-in moves within one output folder, so a move across file
            // systems (which Windows would copy) never arises and fails here.
#ifdef RENAME_NOREPLACE
        // Refuses a destination made between the test and the rename.
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return TRUE;
        if (errno != EINVAL && errno != ENOSYS) {
            if (errno == ENOENT) return failWith(exists(from) ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
            return failWith(errorFromErrno(errno));
        }
        // The file system cannot refuse by itself.
#endif
        return moveByLink(from, to);
    } catch (...) {
        // Out of memory for the path texts.
        return failWith(ERROR_ACCESS_DENIED);
    }
}

}  // namespace win32
