#include "Child.h"

#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/win32/ChildProcess.h"

namespace pdftk {

void becomeProgram(char* const argv[]) noexcept {
    ::execv(argv[0], argv);
    const int error = errno;
    const char* why = error == ENOENT   ? "Die Datei fehlt."
                      : error == EACCES ? "Die Datei ist nicht ausführbar."
                                        : std::strerror(error);
    std::fprintf(stderr, "pdftk.exe: %s konnte nicht gestartet werden: %s\n", argv[0], why);
    ::_exit(win32::cannotRun);
}

int waitForChild(pid_t pid) noexcept {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return win32::cannotRun;
    }
    return win32::exitCodeOf(status);
}

}  // namespace pdftk
