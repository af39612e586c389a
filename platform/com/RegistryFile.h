#pragma once
// The file operations behind the registry (internal to kalmora_com). Each
// entry is one small file; a write never leaves a half-written file behind,
// because another process may read the registry at the same moment.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace com::registry::file {

// The file's content; nullopt when it does not exist. Other failures throw
// std::system_error.
std::optional<std::string> read(const std::filesystem::path& path);

// Replaces the file's content in one step: the text goes to a temporary file
// in the same folder, which is then renamed over `path`. Throws
// std::system_error; nothing is left behind on failure. A file that holds
// `content` already is left as it is.
void replace(const std::filesystem::path& path, std::string_view content);

// Removes the file; false when it was not there. Other failures throw
// std::system_error.
bool remove(const std::filesystem::path& path);

}  // namespace com::registry::file
