#pragma once
// An owned POSIX file descriptor, closed when it goes out of scope.
#include <optional>
#include <string>
#include <string_view>

namespace win32 {

class FileDescriptor {
public:
    FileDescriptor() = default;
    // Takes ownership of `fd`; a negative value (a failed open) holds nothing.
    explicit FileDescriptor(int fd) noexcept;
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool valid() const noexcept { return m_fd >= 0; }
    int get() const noexcept { return m_fd; }

    // Closes now; false (with errno) when the close reports an error, which
    // for a written file can be the first sign that the data did not land.
    bool close() noexcept;

    // Everything from the current position to the end; nothing on a read error.
    std::optional<std::string> readAll() const;

    // Writes all of `bytes`; false (with errno) on a write error.
    bool writeAll(std::string_view bytes) const noexcept;

private:
    int m_fd = -1;
};

}  // namespace win32
