#pragma once
// Which process of which machine, in which boot of it: enough for another
// process, later, to tell whether that process still runs. (Windows gives
// the computer's identity and the process's creation time for it.)
#include <cstdint>
#include <string>

namespace win32 {

struct ProcessIdentity {
    std::string machine;  // the machine's identity; never empty
    std::string boot;     // the boot the process runs in
    std::uint32_t process = 0;
    std::uint64_t started = 0;  // when the process started, in clock ticks since the boot

    bool operator==(const ProcessIdentity&) const = default;
};

// The calling process.
ProcessIdentity currentProcessIdentity();

enum class ProcessLife {
    Running,        // the process of this machine and boot still runs
    Gone,           // it ended, or its machine was started anew since
    OtherMachine,   // a process of another machine: nobody here can tell
};

ProcessLife lifeOf(const ProcessIdentity& identity);

}  // namespace win32
