// taskkill: ends processes by image name, as the Windows tool does for
// "taskkill [/f] /im NAME". Its German messages and exit codes are the ones
// scripts and users know: 0 done, 128 no such process, 1 wrong use or a
// process that could not be ended.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "RunningProcesses.h"
#include "platform/com/LowerCase.h"

namespace {

constexpr int exitDone = 0;
constexpr int exitFailed = 1;
constexpr int exitNotFound = 128;

enum class Force { No, Yes };

struct Request {
    Force force = Force::No;
    std::vector<std::string> imageNames;
};

// Options start with "/" or "-" and are read without regard to case.
bool isOption(std::string_view argument, std::string_view name) {
    return argument.size() == name.size() + 1 && (argument[0] == '/' || argument[0] == '-') &&
           com::lowerCase(argument.substr(1)) == name;
}

void printUsage(std::ostream& out) {
    out << "TASKKILL [/F] /IM Abbildname\n";
}

int wrongUse(std::string_view argument) {
    std::cerr << "FEHLER: Ungültiges Argument/Ungültige Option - '" << argument << "'.\n"
              << "Geben Sie \"TASKKILL /?\" ein, um die Syntax anzuzeigen.\n";
    printUsage(std::cerr);
    return exitFailed;
}

// Ends every match of one image name; the exit code for that name.
int endProcessesNamed(const std::string& imageName, Force force) {
    const auto wanted = com::lowerCase(imageName);
    bool found = false;
    bool failed = false;
    const auto named = [&](const std::string& name) { return com::lowerCase(name) == wanted; };
    std::vector<int> ended;
    for (const auto& process : taskkill::runningProcessesOfThisUser(named)) {
        if (::kill(process.pid, force == Force::Yes ? SIGKILL : SIGTERM) != 0) {
            // It ended on its own between the listing and now.
            if (errno == ESRCH) continue;
            found = true;
            failed = true;
            std::cerr << "FEHLER: Der Prozess \"" << process.imageName << "\" mit PID " << process.pid
                      << " konnte nicht beendet werden.\nUrsache: Zugriff verweigert\n";
            continue;
        }
        found = true;
        ended.push_back(process.pid);
        if (force == Force::Yes)
            std::cout << "ERFOLGREICH: Der Prozess \"" << process.imageName << "\" mit PID " << process.pid
                      << " wurde beendet.\n";
        else
            std::cout << "ERFOLGREICH: Ein Beendigungssignal wurde an den Prozess \"" << process.imageName
                      << "\" mit PID " << process.pid << " gesendet.\n";
    }
    if (!found) {
        std::cerr << "FEHLER: Der Prozess \"" << imageName << "\" wurde nicht gefunden.\n";
        return exitNotFound;
    }
    // Forced, the processes are gone when taskkill returns, as on Windows: a
    // program started right after must not meet one that is still going.
    if (force == Force::Yes) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (const int pid : ended)
            while (!taskkill::hasEnded(pid) && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return failed ? exitFailed : exitDone;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (isOption(arguments[i], "?")) {
            printUsage(std::cout);
            return exitDone;
        }
        if (isOption(arguments[i], "f")) {
            request.force = Force::Yes;
        } else if (isOption(arguments[i], "im") && i + 1 < arguments.size()) {
            request.imageNames.emplace_back(arguments[++i]);
        } else {
            return wrongUse(arguments[i]);
        }
    }
    if (request.imageNames.empty()) {
        std::cerr << "FEHLER: Ungültige Syntax. Die Option /IM fehlt.\n";
        printUsage(std::cerr);
        return exitFailed;
    }
    int result = exitDone;
    for (const auto& name : request.imageNames) {
        int code = endProcessesNamed(name, request.force);
        // A failure to end outranks a name that matched nothing.
        if (code == exitFailed || result == exitDone) result = code;
    }
    return result;
}
