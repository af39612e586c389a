#include "platform/printers/AtomicFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "platform/win32/FileDescriptor.h"

namespace printers {

namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path) {
    throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

// A temporary file next to `path` with the bytes in it and on the disk, so
// that the rename cannot publish a file whose content a crash would lose.
// Its name starts with "." which no printer's file name does.
std::filesystem::path writeTemporary(const std::filesystem::path& path, std::string_view bytes) {
    std::string pattern = (path.parent_path() / ".tmp-XXXXXX").string();
    win32::FileDescriptor file(::mkstemp(pattern.data()));
    if (!file.valid()) fail("cannot create a file in", path.parent_path());
    std::filesystem::path temporary = pattern;
    // mkstemp makes the file private; these files are ordinary readable state.
    const bool written = ::fchmod(file.get(), 0644) == 0 && file.writeAll(bytes) &&
                         ::fsync(file.get()) == 0 && file.close();
    if (!written) {
        const int error = errno;
        ::unlink(temporary.c_str());
        errno = error;
        fail("cannot write", temporary);
    }
    return temporary;
}

}  // namespace

bool writeAtomically(const std::filesystem::path& path, std::string_view bytes, Existing existing) {
    const std::filesystem::path temporary = writeTemporary(path, bytes);
    if (existing == Existing::Replace) {
        if (::rename(temporary.c_str(), path.c_str()) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            errno = error;
            fail("cannot replace", path);
        }
        return true;
    }
    // link() never replaces: of several processes that race for the name,
    // exactly one succeeds, and the file appears with its whole content.
    const bool claimed = ::link(temporary.c_str(), path.c_str()) == 0;
    const int error = errno;
    ::unlink(temporary.c_str());
    if (claimed) return true;
    if (error == EEXIST) return false;
    errno = error;
    fail("cannot create", path);
}

std::optional<std::string> readFile(const std::filesystem::path& path) {
    win32::FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == ENOENT) return std::nullopt;
        fail("cannot open", path);
    }
    std::optional<std::string> bytes = file.readAll();
    if (!bytes) fail("cannot read", path);
    return bytes;
}

}  // namespace printers
