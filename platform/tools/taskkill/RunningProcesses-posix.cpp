#include "RunningProcesses.h"

#include <unistd.h>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "platform/world/World.h"

namespace taskkill {

namespace {

std::optional<int> pidOf(const std::string& name) {
    int pid = 0;
    auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc() || end != name.data() + name.size() || pid <= 0) return std::nullopt;
    return pid;
}

// The real user of a live process. Nothing for a zombie: it has ended and
// only waits for its parent, so Windows would no longer list it.
std::optional<uid_t> realUserOfLive(const std::filesystem::path& process) {
    std::ifstream status(process / "status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("State:") && line.find('Z') != std::string::npos) return std::nullopt;
        if (!line.starts_with("Uid:")) continue;
        std::istringstream fields(line.substr(4));
        uid_t real = 0;
        if (fields >> real) return real;
        return std::nullopt;
    }
    return std::nullopt;
}

// The program file's name. /proc/<pid>/exe is the program actually running
// (whatever argv[0] claims); for a program file deleted or replaced since it
// started, the kernel appends " (deleted)". Where exe cannot be read (kernel
// threads), comm holds the name cut to 15 bytes.
std::string imageNameOf(const std::filesystem::path& process) {
    std::error_code error;
    auto exe = std::filesystem::read_symlink(process / "exe", error);
    if (!error) {
        auto name = exe.filename().string();
        constexpr std::string_view deleted = " (deleted)";
        if (name.ends_with(deleted)) name.resize(name.size() - deleted.size());
        return name;
    }
    std::ifstream comm(process / "comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// The world a process was started in, as an absolute path; nothing when its
// environment cannot be read.
std::optional<std::filesystem::path> worldOf(const std::filesystem::path& process) {
    std::ifstream in(process / "environ", std::ios::binary);
    if (!in) return std::nullopt;
    std::map<std::string, std::string> environment;
    for (std::string entry; std::getline(in, entry, '\0');) {
        const auto equals = entry.find('=');
        if (equals != std::string::npos) environment.emplace(entry.substr(0, equals), entry.substr(equals + 1));
    }
    try {
        std::filesystem::path world = world::folderFor([&](const char* name) {
            const auto found = environment.find(name);
            return found == environment.end() ? nullptr : found->second.c_str();
        });
        // A relative world is the process's own folder's.
        if (world.is_relative()) world = std::filesystem::read_symlink(process / "cwd") / world;
        return std::filesystem::weakly_canonical(world);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::vector<RunningProcess> runningProcessesOfThisUser(const std::function<bool(const std::string&)>& wanted) {
    std::vector<RunningProcess> processes;
    const auto self = ::getpid();
    const auto user = ::getuid();
    const auto world = worldOf("/proc/self");
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        auto pid = pidOf(entry.path().filename().string());
        if (!pid || *pid == self) continue;
        auto owner = realUserOfLive(entry.path());
        if (!owner || *owner != user) continue;
        auto name = imageNameOf(entry.path());
        if (name.empty() || !wanted(name)) continue;
        // Only for the processes asked for: reading every environment costs.
        if (world && worldOf(entry.path()) == world) processes.push_back({*pid, name});
    }
    return processes;
}

bool hasEnded(int pid) {
    const std::filesystem::path process = std::filesystem::path("/proc") / std::to_string(pid);
    std::ifstream status(process / "status");
    if (!status) return true;
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("State:"))
            return line.find('Z') != std::string::npos || line.find('X') != std::string::npos;
    return true;
}

}  // namespace taskkill
