#include "platform/com/RegistryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace com::registry::file {

namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path) {
    throw std::system_error(errno, std::generic_category(), what + " " + path.string());
}

// Closes the descriptor and, unless released, removes the temporary file:
// a failed write must not leave stray files in the registry folders.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
        : path_((target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string()) {
        fd_ = ::mkstemp(path_.data());
        if (fd_ < 0) fail("cannot create a temporary file for", target);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }

    int fd() const noexcept { return fd_; }
    const std::string& path() const noexcept { return path_; }

    void close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) fail("cannot write", path_);
    }
    // The file was renamed into place: nothing to clean up.
    void release() noexcept { path_.clear(); }

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace

std::optional<std::string> read(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        fail("cannot open", path);
    }
    std::string content;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            errno = error;
            fail("cannot read", path);
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return content;
}

void replace(const std::filesystem::path& path, std::string_view content) {
    TemporaryFile temporary(path);
    // mkstemp creates the file for its owner only; registry entries are
    // readable by everyone, as the other files of the world are.
    if (::fchmod(temporary.fd(), 0644) != 0) fail("cannot set the mode of", temporary.path());
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(temporary.fd(), content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail("cannot write", temporary.path());
        }
        written += static_cast<std::size_t>(n);
    }
    // On disk before the name points at it, so a crash leaves the old entry
    // or the new one, never an empty file.
    if (::fsync(temporary.fd()) != 0) fail("cannot flush", temporary.path());
    temporary.close();
    if (::rename(temporary.path().c_str(), path.c_str()) != 0) fail("cannot replace", path);
    temporary.release();
}

bool remove(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) == 0) return true;
    if (errno == ENOENT) return false;
    fail("cannot remove", path);
}

}  // namespace com::registry::file
