#include "platform/com/RegistryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/win32/AtomicFile.h"

namespace com::registry::file {

namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path) {
    throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

}  // namespace

std::optional<std::string> read(const std::filesystem::path& path) {
    return win32::readWholeFile(path);
}

void replace(const std::filesystem::path& path, std::string_view content) {
    // A registration made anew at every start leaves an entry that is right
    // as it is, time and all.
    if (read(path) == content) return;
    win32::writeFileAtomically(path, content);
}

bool remove(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) == 0) return true;
    if (errno == ENOENT) return false;
    fail("cannot remove", path);
}

}  // namespace com::registry::file
