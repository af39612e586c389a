#include "platform/win32/ProcessIdentity.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace win32 {

namespace {

// The first line of a small system file; empty when it cannot be read.
std::string firstLine(const char* path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string machineIdentity() {
    for (const char* file : {"/etc/machine-id", "/var/lib/dbus/machine-id"})
        if (std::string id = firstLine(file); !id.empty()) return id;
    // A machine without an id (a bare container) is known by its name.
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) == 0 && name[0] != '\0') return "host:" + std::string(name.data());
    return "host:unknown";
}

// The start of process `pid` in clock ticks since the boot; 0 when it does
// not run (an ended process that its parent has not reaped yet runs no more).
std::uint64_t startOf(std::uint32_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(in, stat);
    // The command's name may hold blanks and parentheses: the fields count
    // from the last ")". The start time is field 22, the 20th after it.
    const auto end = stat.rfind(')');
    if (end == std::string::npos) return 0;
    std::istringstream fields(stat.substr(end + 1));
    std::string field;
    fields >> field;
    if (field == "Z" || field == "X") return 0;
    for (int n = 1; n < 20 && fields >> field; ++n) {
    }
    return std::strtoull(field.c_str(), nullptr, 10);
}

}  // namespace

ProcessIdentity currentProcessIdentity() {
    const auto pid = static_cast<std::uint32_t>(::getpid());
    return {machineIdentity(), firstLine("/proc/sys/kernel/random/boot_id"), pid, startOf(pid)};
}

ProcessLife lifeOf(const ProcessIdentity& identity) {
    if (identity.machine != machineIdentity()) return ProcessLife::OtherMachine;
    if (identity.boot != firstLine("/proc/sys/kernel/random/boot_id")) return ProcessLife::Gone;
    const std::uint64_t started = startOf(identity.process);
    return started != 0 && started == identity.started ? ProcessLife::Running : ProcessLife::Gone;
}

}  // namespace win32
