#include "FileDescriptor.h"

#include <unistd.h>
#include <cerrno>
#include <utility>

namespace win32 {

FileDescriptor::FileDescriptor(int fd) noexcept : m_fd(fd < 0 ? -1 : fd) {}

FileDescriptor::~FileDescriptor() {
    close();
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

bool FileDescriptor::close() noexcept {
    if (m_fd < 0) return true;
    // No retry on EINTR: on Linux the descriptor is gone either way.
    return ::close(std::exchange(m_fd, -1)) == 0;
}

std::optional<std::string> FileDescriptor::readAll() const {
    std::string bytes;
    char chunk[65536];
    for (;;) {
        auto got = ::read(m_fd, chunk, sizeof chunk);
        if (got == 0) return bytes;
        if (got < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

bool FileDescriptor::writeAll(std::string_view bytes) const noexcept {
    while (!bytes.empty()) {
        auto written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace win32
