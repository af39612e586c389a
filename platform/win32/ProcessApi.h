#pragma once
// The process functions as the add-in calls them: create a process from a
// command line, wait on its handle, close the handle.
#include <cstdint>
#include <string>

#include "platform/win32/Types.h"

namespace win32 {

using HANDLE = std::intptr_t;  // 0: no handle

inline constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;
inline constexpr DWORD STARTF_USESTDHANDLES = 0x00000100;
inline constexpr DWORD NORMAL_PRIORITY_CLASS = 0x00000020;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD STILL_ACTIVE = 259;

// The start-up record, ANSI form: 68 bytes on Windows; only the flags, the
// show-window value and the standard error are looked at here.
struct STARTUPINFOA {
    DWORD cb = 68;
    DWORD dwFlags = 0;
    std::uint16_t wShowWindow = 0;  // SW_HIDE or SW_SHOWNORMAL, with STARTF_USESHOWWINDOW
    // With STARTF_USESTDHANDLES, where a hidden program's standard error
    // goes: Windows takes a handle of a file the caller made; the stand-in
    // takes the file's path (made anew).
    std::string hStdError;
};

struct PROCESS_INFORMATION {
    HANDLE hProcess = 0;
    HANDLE hThread = 0;
    DWORD dwProcessId = 0;
    DWORD dwThreadId = 0;
};

// Starts the program of `commandLine` (split as Windows splits it; the program
// found with findProgram; no shell) in the caller's folder and environment.
// Both handles in `information` must be closed with CloseHandle. FALSE with
// the last error set (ERROR_FILE_NOT_FOUND) when it cannot be started.
BOOL CreateProcessA(const std::string& commandLine, BOOL inheritHandles, DWORD creationFlags,
                    const STARTUPINFOA& startup, PROCESS_INFORMATION& information) noexcept;

// WAIT_OBJECT_0 once the process has ended, WAIT_TIMEOUT while it runs after
// `milliseconds`, WAIT_FAILED for a handle that is not a process handle.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) noexcept;

// The exit code of the process of `handle`, STILL_ACTIVE while it runs.
// A process ended by a signal (taskkill /f, a crash) has 128 + the signal
// number, where Windows would have the code given to TerminateProcess or the
// exception code: never 0. FALSE (ERROR_INVALID_HANDLE) for a handle that is
// not open.
BOOL GetExitCodeProcess(HANDLE process, DWORD& exitCode) noexcept;

// FALSE (ERROR_INVALID_HANDLE) for a handle that is not open.
BOOL CloseHandle(HANDLE handle) noexcept;

// Renames a file, folder or link (the link itself); FALSE (ERROR_ALREADY_EXISTS)
// when the destination exists, FALSE (ERROR_FILE_NOT_FOUND) when the source
// does not, FALSE (ERROR_SHARING_VIOLATION) for a file another program holds
// locked.
BOOL MoveFileA(const std::string& existingFile, const std::string& newFile) noexcept;

}  // namespace win32
