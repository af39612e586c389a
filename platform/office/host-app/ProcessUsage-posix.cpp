#include "platform/office/host-app/ProcessUsage.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace office {

namespace {

namespace fs = std::filesystem;

// A "Name:   1234 kB" line of /proc/self/status.
long statusKiB(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
    return 0;
}

int childrenOf(pid_t parent) {
    int count = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        std::ifstream stat(entry.path() / "stat");
        std::string text;
        if (!std::getline(stat, text)) continue;
        // "pid (name) state ppid ...": the name may hold blanks and brackets.
        const auto close = text.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(text.substr(close + 1));
        char state = 0;
        pid_t ppid = 0;
        if (rest >> state >> ppid && ppid == parent) ++count;
    }
    return count;
}

}  // namespace

ProcessUsage currentUsage() {
    ProcessUsage usage;
    std::error_code error;
    for (auto it = fs::directory_iterator("/proc/self/fd", error); !error && it != fs::directory_iterator();
         it.increment(error))
        ++usage.openFiles;
    --usage.openFiles;  // the one the listing itself held open
    usage.residentKiB = statusKiB("VmRSS");
    usage.peakResidentKiB = statusKiB("VmHWM");
    usage.children = childrenOf(::getpid());
    return usage;
}

std::string usageLine(int click, const ProcessUsage& usage, double seconds) {
    char line[160];
    std::snprintf(line, sizeof line, "klick=%d dateien=%d speicher_kb=%ld spitze_kb=%ld kinder=%d sekunden=%.3f", click,
                  usage.openFiles, usage.residentKiB, usage.peakResidentKiB, usage.children, seconds);
    return line;
}

}  // namespace office
