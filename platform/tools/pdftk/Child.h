#pragma once
// Starting the one child that the pdftk.exe launcher and its guard each run,
// and reading how it ended.
#include <csignal>

namespace pdftk {

// Forks and runs `argv[0]` (a path; no search, no shell) with `argv`. The
// child gets `deathSignal` when this process dies, even if it already died
// during the fork, and starts with no signal blocked. When the program cannot
// be run, the child says so in German on stderr and exits with 127.
// The pid, or -1 (errno set) when no child could be made.
pid_t startChild(char* const argv[], int deathSignal) noexcept;

// The exit code that passes on how a child ended: its own exit code, or
// 128 + the number of the signal that ended it, as a shell reports it.
int exitCodeOf(int waitStatus) noexcept;

}  // namespace pdftk
