#pragma once
// Making the children that the pdftk.exe launcher and its guard run, and
// reading how they ended.
#include <csignal>

namespace pdftk {

// Forks. The child gets `deathSignal` when this process dies (and exits at
// once if this process died during the fork) and has no signal blocked.
// 0 in the child, the child's pid in the parent, -1 (errno set) on failure.
pid_t forkChild(int deathSignal) noexcept;

// Replaces the calling process with `argv[0]` (a path; no search, no shell)
// and `argv`. When it cannot, it says so in German on stderr and exits with
// 127.
[[noreturn]] void becomeProgram(char* const argv[]) noexcept;

// The exit code that passes on how a child ended: its own exit code, or
// 128 + the number of the signal that ended it, as a shell reports it.
int exitCodeOf(int waitStatus) noexcept;

// Waits for the child `pid` and gives exitCodeOf its status; 127 when the
// wait fails.
int waitForChild(pid_t pid) noexcept;

}  // namespace pdftk
