#pragma once
// Collects the children that startProcess started as soon as they end, so
// that a program nobody waits for (Shell's) never lingers as a zombie, and
// keeps each exit code for whoever does wait.
#include <chrono>
#include <optional>

namespace win32 {

class ChildReaper {
public:
    // The one reaper of this process; it lives until the process ends.
    static ChildReaper& instance();

    // Reaps the child `pid` once it has ended. Every child handed here must
    // be reaped only here: a waitpid of its own elsewhere would race.
    virtual void watch(int pid) = 0;

    // The exit code of a watched child (128 + the signal number when a
    // signal ended it) once it has ended; nothing when it has not ended
    // within `timeout`. A code is handed out once.
    virtual std::optional<int> wait(int pid, std::chrono::milliseconds timeout) = 0;

    ChildReaper(const ChildReaper&) = delete;
    ChildReaper& operator=(const ChildReaper&) = delete;

protected:
    ChildReaper() = default;
    virtual ~ChildReaper() = default;
};

}  // namespace win32
