#include "platform/win32/FileClaim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/win32/Files.h"

namespace win32 {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    throw std::system_error(errno, std::generic_category(), what + " " + path);
}

// Whether `lock` is still the file at `path`: a holder that released the
// claim meanwhile deleted the file we opened.
bool stillThere(const FileDescriptor& lock, const std::string& path) {
    struct stat held {}, named {};
    return ::fstat(lock.get(), &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

}  // namespace

std::optional<FileClaim> FileClaim::tryClaim(const std::string& path) {
    const std::string file = hostPath(path);
    for (;;) {
        // Not inherited: a program the holder starts must not keep the claim.
        FileDescriptor lock(::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!lock.valid()) fail("cannot make", file);
        while (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) return std::nullopt;
            if (errno != EINTR) fail("cannot lock", file);
        }
        if (stillThere(lock, file)) return FileClaim(file, std::move(lock));
    }
}

FileClaim::~FileClaim() {
    // Deleted while still held, so that no second holder takes the old file.
    if (lock_.valid()) ::unlink(path_.c_str());
}

}  // namespace win32
