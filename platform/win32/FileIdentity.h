#pragma once
// What makes a file the same file: the volume and file index, the size and
// the time of the last write, as Windows reports them for an open file. A
// file saved anew at the same name, or changed since, has another identity.
#include <cstdint>
#include <optional>
#include <string_view>

namespace win32 {

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since 1970

    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file, folder or symbolic link (the link itself, not
// what it leads to) at `path`; none when nothing is there.
std::optional<FileIdentity> GetFileIdentityA(std::string_view path) noexcept;

}  // namespace win32
