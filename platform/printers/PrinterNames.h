#pragma once
// How printer names are compared and how a name becomes a file name in the
// print system's folders. Internal to the print system.
#include <string>
#include <string_view>

namespace printers {

// The name with upper-case letters made lower-case: ASCII letters and the
// Latin-1 letters in UTF-8 (Ä, Ö, Ü, É, ...); other bytes stay as they are.
std::string foldCase(std::string_view name);

bool sameName(std::string_view a, std::string_view b);

// A file name that stands for the name without regard to case: the folded
// name with "/", "\", "%", control characters and a leading "." written as
// "%XX". It is never "." or "..", never starts with "." (the print system's
// temporary files do) and two names share it only when they are the same
// printer. Throws std::invalid_argument for an empty name and for a name too
// long for a file name.
std::string fileNameFor(std::string_view name);

}  // namespace printers
