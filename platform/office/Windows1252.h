#pragma once
// The standard PDF fonts read their bytes as Windows-1252 (WinAnsiEncoding),
// while documents on disk hold UTF-8.
#include <string>
#include <string_view>

namespace office {

// Characters that Windows-1252 lacks become "?". Bytes that are no valid
// UTF-8 are kept as they are: such a file was most likely written in
// Windows-1252 already.
std::string toWindows1252(std::string_view utf8);

}  // namespace office
