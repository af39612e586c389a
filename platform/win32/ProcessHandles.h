#pragma once
// The handles that CreateProcessA hands out: small numbers that stand for a
// started process, each valid until it is closed.
#include <cstdint>
#include <optional>

#include "platform/win32/Types.h"

namespace win32 {

class ProcessHandles {
public:
    // The one table of this process; it lives until the process ends.
    static ProcessHandles& instance();

    // A process handle and a thread handle for the started process `pid`
    // (watched by ChildReaper): two distinct open handles that both end when
    // the process ends. Throws std::bad_alloc.
    struct Pair {
        std::intptr_t process = 0;
        std::intptr_t thread = 0;
    };
    virtual Pair open(int pid) = 0;

    enum class Wait { Ended, Running, NoSuchHandle, Failed };
    // Waits up to `milliseconds` (0xFFFFFFFF: without limit) for the process
    // of `handle` to end. Any number of threads may wait on the same process;
    // once it has ended, every wait answers Ended at once.
    virtual Wait wait(std::intptr_t handle, DWORD milliseconds) noexcept = 0;

    // How the process of `handle` ended: its exit code, 128 + the signal
    // number when a signal ended it, -1 when that is no longer known;
    // stillActive while it runs; nothing when `handle` is not open.
    static constexpr int stillActive = 259;
    virtual std::optional<int> exitCode(std::intptr_t handle) noexcept = 0;

    // False when `handle` is not open.
    virtual bool close(std::intptr_t handle) noexcept = 0;

    ProcessHandles(const ProcessHandles&) = delete;
    ProcessHandles& operator=(const ProcessHandles&) = delete;

protected:
    ProcessHandles() = default;
    virtual ~ProcessHandles() = default;
};

}  // namespace win32
