#pragma once
// Small files that other processes read while this one writes them: a reader
// sees the old content or the new, never a part. Internal to the print system.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace printers {

enum class Existing { Replace, Keep };

// Writes `bytes` to a temporary file in the folder of `path` and moves it
// into place. With Existing::Keep an existing file stays as it is and the
// result is false: the file name then works as a claim that only one writer
// wins, across processes. Throws std::system_error when the folder cannot be
// written.
bool writeAtomically(const std::filesystem::path& path, std::string_view bytes, Existing existing);

// The file's content; none when it does not exist (or vanished meanwhile).
// Throws std::system_error on other failures.
std::optional<std::string> readFile(const std::filesystem::path& path);

}  // namespace printers
