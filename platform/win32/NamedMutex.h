#pragma once
// A mutex that every process of the machine sees under one name, as a
// Windows named mutex ("Global\..."). A world is one machine: the mutex lives
// in the world. It is held until the holder releases it or ends; a holder
// that died leaves it free for the next (Windows hands such an abandoned
// mutex to the next waiter).
#include <optional>
#include <string>

#include "platform/win32/FileDescriptor.h"

namespace win32 {

class NamedMutex {
public:
    // The mutex `name`, taken without waiting; nothing while another holder
    // (another process, or another holder in this one) has it. Throws
    // std::system_error when the world cannot be written.
    static std::optional<NamedMutex> tryAcquire(const std::string& name);

    // Releases the mutex.
    ~NamedMutex() = default;
    NamedMutex(NamedMutex&&) noexcept = default;
    NamedMutex& operator=(NamedMutex&&) noexcept = default;

private:
    explicit NamedMutex(FileDescriptor lock) noexcept : lock_(std::move(lock)) {}

    FileDescriptor lock_;
};

}  // namespace win32
