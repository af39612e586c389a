// pdftk-guard PROGRAM ARGUMENTS...: runs PROGRAM (pdftk) for the pdftk.exe
// launcher and ends it, with everything it started, when the launcher dies.
// The launcher starts it with SIGTERM as its death signal; its own name keeps
// it out of reach of "taskkill /im PDFtk.exe", so it outlives the launcher
// long enough to end pdftk's process group. Otherwise it ends with PROGRAM's
// exit code (127 when PROGRAM cannot be run).
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

#include "Child.h"

namespace {

constexpr int cannotRun = 127;

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("Aufruf: pdftk-guard PROGRAMM [ARGUMENTE...]\n", stderr);
        return cannotRun;
    }
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

    // SIGKILL for pdftk if the guard itself is killed.
    const pid_t child = pdftk::startChild(argv + 1, SIGKILL);
    if (child < 0) {
        std::perror("pdftk-guard: pdftk konnte nicht gestartet werden");
        return cannotRun;
    }
    for (;;) {
        siginfo_t info{};
        if (::sigwaitinfo(&watched, &info) < 0)
            continue;  // EINTR by a signal outside the watched set
        if (info.si_signo == SIGTERM) {
            // The launcher is gone (or someone asks this group to end).
            // mutated
            return cannotRun;
        }
        int status = 0;
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child)
            return pdftk::exitCodeOf(status);
        if (ended < 0 && errno != EINTR)
            return cannotRun;
    }
}
