#pragma once
// Running a program in a child that the pdftk.exe launcher and its guard
// forked (win32::forkChild), and waiting for it.
#include <sys/types.h>

namespace pdftk {

// Replaces the calling process with `argv[0]` (a path; no search, no shell)
// and `argv`. When it cannot, it says so in German on stderr and exits with
// 127.
[[noreturn]] void becomeProgram(char* const argv[]) noexcept;

// Waits for the child `pid` and gives win32::exitCodeOf its status; 127 when
// the wait fails.
int waitForChild(pid_t pid) noexcept;

}  // namespace pdftk
