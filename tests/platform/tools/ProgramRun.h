#pragma once
// Running a program to its end with its output captured, and watching a
// process end: what the tests of the platform's programs look at.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/Eventually.h"

extern char** environ;

namespace kalmora::testing {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string drain(int fd) {
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = ::read(fd, chunk, sizeof chunk)) != 0;) {
        if (got < 0) break;
        text.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return text;
}

// argv[0] is the program's path. The outputs are small enough that reading
// one pipe after the other cannot block the program.
inline ProgramResult runProgram(const std::vector<std::string>& argv) {
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, argv.front().c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    ProgramResult result;
    result.out = drain(out[0]);
    result.err = drain(err[0]);
    if (spawned != 0) throw std::runtime_error("cannot start " + argv.front());
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The state letter of a process ('R', 'S', 'Z' for a zombie...); none when
// it is gone.
inline char stateOf(int pid) {
    std::ifstream stat(std::filesystem::path("/proc") / std::to_string(pid) / "stat");
    std::string line;
    // "pid (comm) S ...": the state follows the last ')'.
    const auto close = std::getline(stat, line) ? line.rfind(')') : std::string::npos;
    return close != std::string::npos && close + 2 < line.size() ? line[close + 2] : '\0';
}

inline bool isRunning(int pid) {
    const char state = stateOf(pid);
    return state != '\0' && state != 'Z';
}

// Whether the process ends (is gone, or a zombie waiting for its parent)
// before a generous deadline.
inline bool endsSoon(int pid) {
    return eventually([&] { return !isRunning(pid); }, std::chrono::seconds(30), std::chrono::milliseconds(10));
}

}  // namespace kalmora::testing
