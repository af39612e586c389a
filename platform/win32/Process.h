#pragma once
// Starting programs, as the process functions of Windows do, without a shell.
#include <cstdint>
#include <string>

#include "platform/win32/Types.h"

namespace win32 {

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;

struct StartOptions {
    std::string commandLine;   // program and arguments, split by splitCommandLine
    int showWindow = SW_HIDE;  // the started program's window is hidden or shown
    // A file (made anew; "\\" read as a separator) that receives a hidden
    // program's standard error; empty: nowhere.
    std::string errorFile = {};
};

// A started program: its process id. The process is reaped as soon as it ends
// (ChildReaper.h), so that nobody has to wait for it; its exit code is kept
// there for a wait.
struct StartedProcess {
    int pid = -1;
};

// Starts the program of the command line (found with findProgram) with the
// arguments, the caller's environment and folder, its window as asked (the
// program learns it from KALMORA_SHOW_WINDOW). FALSE with the last error set
// (ERROR_FILE_NOT_FOUND) when it cannot be started.
BOOL startProcess(const StartOptions& options, StartedProcess& started) noexcept;

}  // namespace win32
