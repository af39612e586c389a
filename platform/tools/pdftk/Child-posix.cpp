#include "Child.h"

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pdftk {

namespace {

constexpr int cannotRun = 127;

}  // namespace

pid_t forkChild(int deathSignal) noexcept {
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    // The death signal is tied to the parent as it is now; had the parent
    // died before this line, the signal would never come.
    if (::prctl(PR_SET_PDEATHSIG, deathSignal) != 0 || ::getppid() != parent) ::_exit(cannotRun);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    return 0;
}

void becomeProgram(char* const argv[]) noexcept {
    ::execv(argv[0], argv);
    std::fprintf(stderr, "pdftk.exe: %s konnte nicht gestartet werden: %s\n", argv[0], std::strerror(errno));
    ::_exit(cannotRun);
}

int exitCodeOf(int waitStatus) noexcept {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return cannotRun;
}

int waitForChild(pid_t pid) noexcept {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return cannotRun;
    }
    return exitCodeOf(status);
}

}  // namespace pdftk
