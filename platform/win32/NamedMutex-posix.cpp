#include "NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <cerrno>
#include <system_error>

#include "platform/world/World.h"

namespace win32 {

std::optional<NamedMutex> NamedMutex::tryAcquire(const std::string& name) {
    const auto path = world::subfolder("mutexes") / (name + ".lock");
    // Not inherited: a program the holder starts must not keep the mutex
    // after the holder is gone.
    FileDescriptor lock(::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
    if (!lock.valid()) throw std::system_error(errno, std::generic_category(), "cannot open " + path.string());
    // A flock belongs to the open file, so a second holder in this process
    // is refused as well; the kernel drops it when the holder ends.
    while (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) return std::nullopt;
        if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "cannot lock " + path.string());
    }
    return NamedMutex(std::move(lock));
}

}  // namespace win32
