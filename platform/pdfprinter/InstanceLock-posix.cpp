#include "platform/pdfprinter/InstanceLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <string>
#include <system_error>
#include <utility>

#include "platform/win32/AtomicFile.h"

namespace pdfprinter {

namespace {

std::filesystem::path lockPath(const std::filesystem::path& folder) {
    return folder / "instance.lock";
}

struct flock wholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

std::optional<int> pidIn(const std::string& text) {
    int pid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
    return pid;
}

}  // namespace

InstanceLock::InstanceLock(win32::FileDescriptor file, std::filesystem::path path) noexcept
    : file_(std::move(file)), path_(std::move(path)) {}

std::optional<InstanceLock> InstanceLock::acquire(const std::filesystem::path& folder) {
    const auto path = lockPath(folder);
    win32::FileDescriptor file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!file.valid()) throw std::system_error(errno, std::generic_category(), path.string());
    auto lock = wholeFile(F_WRLCK);
    if (::fcntl(file.get(), F_SETLK, &lock) != 0) {
        if (errno == EACCES || errno == EAGAIN) return std::nullopt;
        throw std::system_error(errno, std::generic_category(), path.string());
    }
    // The id of an earlier process may still be in the file; until this one
    // is ready, nobody must take that for a ready printer.
    if (::ftruncate(file.get(), 0) != 0) throw std::system_error(errno, std::generic_category(), path.string());
    return InstanceLock(std::move(file), path);
}

void InstanceLock::markReady() {
    const std::string pid = std::to_string(::getpid());
    if (::ftruncate(file_.get(), 0) != 0 || ::pwrite(file_.get(), pid.data(), pid.size(), 0) < 0)
        throw std::system_error(errno, std::generic_category(), path_.string());
}

bool InstanceLock::stillHeld() const {
    struct stat named {};
    struct stat held {};
    return ::stat(path_.c_str(), &named) == 0 && ::fstat(file_.get(), &held) == 0 && named.st_dev == held.st_dev &&
           named.st_ino == held.st_ino;
}

std::optional<int> InstanceLock::holder(const std::filesystem::path& folder) {
    const auto path = lockPath(folder);
    win32::FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) return std::nullopt;
    // F_GETLK names the holder without taking the lock: a probe that took it,
    // even for a moment, would make a printer starting just then give up.
    auto probe = wholeFile(F_RDLCK);
    if (::fcntl(file.get(), F_GETLK, &probe) != 0 || probe.l_type == F_UNLCK) return std::nullopt;
    return probe.l_pid;
}

std::optional<int> InstanceLock::readyHolder(const std::filesystem::path& folder) {
    const auto pid = holder(folder);
    if (!pid) return std::nullopt;
    // Ready only when the id written is the holder's own, not an earlier one's.
    const auto written = win32::readWholeFile(lockPath(folder));
    if (!written || pidIn(*written) != pid) return std::nullopt;
    return pid;
}

}  // namespace pdfprinter
