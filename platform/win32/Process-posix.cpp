#include "Process.h"

#include <fcntl.h>
#include <spawn.h>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "ChildReaper.h"
#include "CommandLine.h"
#include "FileDescriptor.h"
#include "Files.h"
#include "LastError.h"

extern char** environ;

namespace win32 {

namespace {

constexpr std::string_view showWindowVariable = "KALMORA_SHOW_WINDOW=";

// The caller's environment with the window wish replaced: a program started
// by a started program must not inherit a stale wish.
std::vector<std::string> environmentFor(int showWindow) {
    std::vector<std::string> entries;
    for (char** entry = environ; entry && *entry; ++entry) {
        if (std::string_view(*entry).starts_with(showWindowVariable)) continue;
        entries.emplace_back(*entry);
    }
    entries.push_back(std::string(showWindowVariable) + (showWindow == SW_HIDE ? "0" : "1"));
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    pointers.reserve(texts.size() + 1);
    for (auto& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

BOOL startProcess(const StartOptions& options, StartedProcess& started) noexcept {
    try {
        auto arguments = splitCommandLine(options.commandLine);
        if (arguments.empty()) return failWith(ERROR_FILE_NOT_FOUND);
        auto program = findProgram(arguments.front());
        if (program.empty()) return failWith(ERROR_FILE_NOT_FOUND);
        auto environment = environmentFor(options.showWindow);
        auto argv = pointersTo(arguments);
        auto envp = pointersTo(environment);
        // Only the standard streams are passed on, as Windows passes no
        // handles unless asked: an inherited descriptor would keep the
        // caller's file locks (a file "open in another program") and pipes
        // alive for as long as the started program runs.
        const bool hidden = options.showWindow == SW_HIDE;
        // A file for the standard error that cannot be made costs only what
        // the program says there, not its start. A link or a pipe planted at
        // its name is refused, so that no other file is emptied through it.
        const FileDescriptor errorFile(hidden && !options.errorFile.empty()
                                           ? ::open(hostPath(options.errorFile).c_str(),
                                                    O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK,
                                                    0600)
                                           : -1);
        posix_spawn_file_actions_t actions;
        if (::posix_spawn_file_actions_init(&actions) != 0) return failWith(ERROR_ACCESS_DENIED);
        int error = 0;
        // A hidden window shows nothing: what a console program writes there
        // is seen by nobody, so it must not land in the caller's output.
        if (hidden) error = ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        if (error == 0 && hidden)
            error = errorFile.valid() ? ::posix_spawn_file_actions_adddup2(&actions, errorFile.get(), 2)
                                      : ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (error == 0) error = ::posix_spawn_file_actions_addclosefrom_np(&actions, 3);
        pid_t pid = -1;
        // posix_spawn rather than fork: the hosts are multi-threaded, and
        // glibc's spawn reports a failed exec as its result.
        if (error == 0) error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
        ::posix_spawn_file_actions_destroy(&actions);
        if (error != 0) return failWith(errorFromErrno(error));
        ChildReaper::instance().watch(pid);
        started.pid = pid;
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    } catch (...) {
        // Out of memory while building the argument lists.
        return failWith(ERROR_ACCESS_DENIED);
    }
}

}  // namespace win32
