#pragma once
// The one way the platform saves a file that others read while it is being
// written: the new content goes to a hidden temporary file in the same
// folder, reaches the disk, and is renamed over the old file, so that a
// reader sees the old content or the new, never a part, and a crash leaves
// one of the two. A symbolic link is written through: its target gets the
// new content and keeps its owner, group and mode; the link stays a link. A
// new file gets the mode that the umask leaves of 0666. Another user's file
// that the caller may write (by its group or everybody) is written in place
// instead, so that it keeps its owner and group; only then may a reader see
// part of the new content.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace win32 {

enum class ExistingFile {
    Replace,  // the new content replaces the old
    Keep,     // an existing file stays as it is: the name is a claim that one writer wins
};

// Writes `bytes` as the content of `path`. With ExistingFile::Keep, false
// when the file exists already. Throws std::system_error (with the errno
// value) when the file cannot be written; nothing of the attempt is left.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         ExistingFile existing = ExistingFile::Replace);

// The file that `path` names, symbolic links followed, also when the last
// one points at a file that does not exist yet.
std::filesystem::path resolvedFile(const std::filesystem::path& path);

// The content; none when the file does not exist. Throws std::system_error on
// other failures.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

}  // namespace win32
