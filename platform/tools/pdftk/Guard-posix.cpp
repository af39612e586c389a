// pdftk-guard PROGRAM ARGUMENTS...: runs PROGRAM (pdftk) for the pdftk.exe
// launcher and ends it, with everything it started, when the launcher dies.
// It ends with PROGRAM's exit code (127 when PROGRAM cannot be run).
//
// Two processes of this program stand between the launcher and pdftk. The
// first one the launcher forks with SIGKILL as its death signal; it only
// waits. Taskkill may kill it too: for a moment after the fork it still
// bears the launcher's name, and taskkill kills what it listed a moment ago.
// The second one, forked here, never bore that name, so nothing kills it by
// mistake. It gets SIGTERM when the first one dies, and then kills its
// process group, which holds pdftk and everything pdftk started.
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include "Child.h"
#include "platform/win32/ChildProcess.h"

namespace {

constexpr int cannotRun = 127;

int watchOver(char* const argv[]) {
    // A group of its own holds pdftk and every process pdftk starts, but not
    // the launcher and the host above. Not handing the terminal over is no
    // loss: the add-in starts pdftk hidden, and pdftk never prompts there.
    ::setpgid(0, 0);
    // Both signals wait blocked for sigwaitinfo below. A SIGTERM that came
    // before this line found no pdftk yet, and its default action was right.
    sigset_t watched;
    sigemptyset(&watched);
    sigaddset(&watched, SIGTERM);
    sigaddset(&watched, SIGCHLD);
    ::sigprocmask(SIG_BLOCK, &watched, nullptr);

    // SIGKILL for pdftk should this guard be killed after all.
    const pid_t child = win32::forkChild({.deathSignal = SIGKILL, .signals = win32::ChildSignals::Unblocked});
    if (child == 0) pdftk::becomeProgram(argv);
    if (child < 0) {
        std::perror("pdftk-guard: pdftk konnte nicht gestartet werden");
        return cannotRun;
    }
    for (;;) {
        siginfo_t info{};
        if (::sigwaitinfo(&watched, &info) < 0) continue;  // EINTR by a signal outside the watched set
        if (info.si_signo == SIGTERM) {
            ::kill(0, SIGKILL);
            return cannotRun;
        }
        int status = 0;
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child) return win32::exitCodeOf(status);
        if (ended < 0 && errno != EINTR) return cannotRun;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("Aufruf: pdftk-guard PROGRAMM [ARGUMENTE...]\n", stderr);
        return cannotRun;
    }
    const pid_t watcher = win32::forkChild({.deathSignal = SIGTERM, .signals = win32::ChildSignals::Unblocked});
    if (watcher == 0) return watchOver(argv + 1);
    if (watcher < 0) {
        std::perror("pdftk-guard: pdftk konnte nicht gestartet werden");
        return cannotRun;
    }
    return pdftk::waitForChild(watcher);
}
