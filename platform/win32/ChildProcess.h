#pragma once
// Forking a child that ends with its parent, and reading how a child ended,
// as the programs that start others (the office, pdftk, startProcess) all
// need it. Its own small static library (kalmora_child), so that the pdftk
// tools, which link no shared library of the project, use it as well.
#include <signal.h>
#include <sys/types.h>

namespace win32 {

// What the child does with the signals that the forking thread blocks.
enum class ChildSignals {
    Inherited,  // blocked as in the parent
    Unblocked,  // none blocked: the child waits for no signal the parent did
};

struct ForkOptions {
    int deathSignal = SIGKILL;  // sent to the child when this process dies
    ChildSignals signals = ChildSignals::Inherited;
};

// The exit code of a child that could not be made into what it should run,
// as a shell gives it.
inline constexpr int cannotRun = 127;

// Forks. The child gets `options.deathSignal` when this process dies, and
// exits with cannotRun at once if this process died during the fork. Between
// fork and exec a multi-threaded parent's child may only make
// async-signal-safe calls. 0 in the child, the child's pid in the parent, -1
// (errno set) on failure.
pid_t forkChild(const ForkOptions& options) noexcept;

// How a child ended, as a shell reports it: its own exit code, or 128 + the
// number of the signal that ended it. From a waitpid status (cannotRun for a
// stopped or continued child, which has not ended), or from the siginfo that
// waitid gives for an ended child.
int exitCodeOf(int waitStatus) noexcept;
int exitCodeOf(const siginfo_t& ended) noexcept;

}  // namespace win32
