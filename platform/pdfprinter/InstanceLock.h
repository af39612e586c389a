#pragma once
// One printer process per world. The process holds a write lock (fcntl) on
// instance.lock for its whole life and, once it is ready for jobs, writes its
// process id into the file. The kernel drops the lock however the process
// ends, so a killed printer never blocks the next one.
#include <filesystem>
#include <optional>

#include "platform/win32/FileDescriptor.h"

namespace pdfprinter {

class InstanceLock {
public:
    // The lock, or nothing when another process holds it. Throws
    // std::system_error when the lock file cannot be opened.
    static std::optional<InstanceLock> acquire(const std::filesystem::path& folder);

    // Tells the others that this process is ready for jobs.
    void markReady();

    // False once the lock file was removed or replaced (its world deleted):
    // another process could then start, so this one must end.
    bool stillHeld() const;

    // The process that holds the lock, ready or not.
    static std::optional<int> holder(const std::filesystem::path& folder);
    // The holder once it has marked itself ready.
    static std::optional<int> readyHolder(const std::filesystem::path& folder);

private:
    InstanceLock(win32::FileDescriptor file, std::filesystem::path path) noexcept;

    win32::FileDescriptor file_;
    std::filesystem::path path_;
};

}  // namespace pdfprinter
