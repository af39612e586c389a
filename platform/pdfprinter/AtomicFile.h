#pragma once
// Files that another process reads while this one writes them: a reader sees
// the old content or the new one, never a part.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pdfprinter {

// Writes `bytes` to a temporary file beside `path` and renames it into place,
// replacing what was there. Throws std::system_error when it cannot.
void writeAtomically(const std::filesystem::path& path, std::string_view bytes);

// The content; nothing when the file does not exist. Throws std::system_error
// on other failures.
std::optional<std::string> readWhole(const std::filesystem::path& path);

}  // namespace pdfprinter
