#pragma once
// The file in which a host keeps its bars' customisations between sessions:
// for each bar, the controls an add-in or the user added, in order, with
// what they show and do. A text file; faces are stored as hex digits.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/office/bars/BarControl.h"

namespace office {

struct SavedBar {
    std::string name;
    std::vector<BarControl::Properties> controls = {};

    friend bool operator==(const SavedBar&, const SavedBar&) = default;
};

std::string formatCustomisations(const std::vector<SavedBar>& bars);
// Throws std::runtime_error naming the line when `text` is not such a file.
std::vector<SavedBar> parseCustomisations(std::string_view text);

// Replaces the file as a whole, so that a crash leaves the old one or the new
// one, never a part. Throws std::system_error when it cannot be written.
void writeCustomisations(const std::filesystem::path& file, const std::vector<SavedBar>& bars);
// None when nothing was saved yet. Throws std::runtime_error when the file
// cannot be read or is not such a file.
std::optional<std::vector<SavedBar>> readCustomisations(const std::filesystem::path& file);

}  // namespace office
