#include "platform/pdfprinter/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <system_error>
#include <unistd.h>

#include "platform/win32/FileDescriptor.h"

namespace pdfprinter {

namespace {

[[noreturn]] void fail(int error, const std::filesystem::path& path) {
    throw std::system_error(error, std::generic_category(), path.string());
}

}  // namespace

void writeAtomically(const std::filesystem::path& path, std::string_view bytes) {
    // A hidden name in the same folder: rename only replaces atomically within
    // one file system, and readers that list the folder skip dot files. Not
    // mkstemp: its 0600 would make a user's PDF unreadable to the others the
    // umask lets read it.
    static std::atomic<unsigned> counter{0};
    std::string temporary;
    win32::FileDescriptor file;
    do {
        temporary = (path.parent_path() / ("." + path.filename().string() + "." + std::to_string(::getpid()) + "." +
                                           std::to_string(counter.fetch_add(1)) + ".partial"))
                        .string();
        file = win32::FileDescriptor(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    } while (!file.valid() && errno == EEXIST);
    if (!file.valid()) fail(errno, path);
    int error = 0;
    if (!file.writeAll(bytes) || !file.close()) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail(error, path);
    }
}

std::optional<std::string> readWhole(const std::filesystem::path& path) {
    win32::FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == ENOENT) return std::nullopt;
        fail(errno, path);
    }
    auto content = file.readAll();
    if (!content) fail(errno, path);
    return content;
}

}  // namespace pdfprinter
