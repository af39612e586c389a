// pdftk.exe: the program the add-in starts for each pdftk command line. It
// runs the system's pdftk with the same arguments and ends with its exit code.
//
// Windows paths arrive with "\" separators; every "\" in every argument is
// read as "/". That is safe for the whole line: pdftk's keywords ("background",
// "cat", "output") and handles ("A=") never hold a "\", and the add-in passes
// nothing but those and paths.
//
// "taskkill /f /im PDFtk.exe" ends this launcher with SIGKILL, which nothing
// can catch, and must end pdftk with it. A death signal on pdftk alone is not
// enough: Debian's pdftk is a shell script whose Java process is a grandchild
// that outlives the script. So pdftk runs under pdftk-guard (see there), a
// program of another name that taskkill leaves alone, which ends pdftk's
// whole process group when this launcher dies.
//
// The pdftk run: see PdftkProgram.h. Exit code 127 when it cannot be run.
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Child.h"
#include "platform/tools/pdftk/PdftkProgram.h"
#include "platform/win32/ChildProcess.h"

namespace {

constexpr int cannotRun = 127;

// pdftk-guard lies beside this program, wherever it was installed.
std::string guardProgram() {
    std::string self(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), self.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= self.size()) return "pdftk-guard";
    self.resize(static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/') + 1) + "pdftk-guard";
}

}  // namespace

int main(int argc, char** argv) {
    // Taskkill without /f sends SIGTERM; a mask inherited from the starting
    // host must not keep this launcher alive against it.
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    std::signal(SIGTERM, SIG_DFL);

    std::vector<std::string> texts{guardProgram(), pdftk::program()};
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        for (char& c : argument) {
            if (c == '\\') c = '/';
        }
        texts.push_back(std::move(argument));
    }
    std::vector<char*> arguments;
    arguments.reserve(texts.size() + 1);
    for (auto& text : texts) arguments.push_back(text.data());
    arguments.push_back(nullptr);

    const pid_t guard = win32::forkChild({.deathSignal = SIGKILL, .signals = win32::ChildSignals::Unblocked});
    if (guard == 0) pdftk::becomeProgram(arguments.data());
    if (guard < 0) {
        std::perror("pdftk.exe: pdftk konnte nicht gestartet werden");
        return cannotRun;
    }
    return pdftk::waitForChild(guard);
}
