#include "ChildProcess.h"

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace win32 {

namespace {

constexpr int endedBySignal(int signal) noexcept {
    return 128 + signal;
}

}  // namespace

pid_t forkChild(const ForkOptions& options) noexcept {
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    // The death signal is tied to the parent as it is now; had the parent
    // died before this line, the signal would never come.
    if (::prctl(PR_SET_PDEATHSIG, options.deathSignal) != 0 || ::getppid() != parent) ::_exit(cannotRun);
    if (options.signals == ChildSignals::Unblocked) {
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
    }
    return 0;
}

int exitCodeOf(int waitStatus) noexcept {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return endedBySignal(WTERMSIG(waitStatus));
    return cannotRun;
}

int exitCodeOf(const siginfo_t& ended) noexcept {
    // CLD_KILLED or CLD_DUMPED: si_status holds the signal.
    return ended.si_code == CLD_EXITED ? ended.si_status : endedBySignal(ended.si_status);
}

}  // namespace win32
