#pragma once
// Conversion between UTF-8 and the system's single-byte code page, Windows-1252.
#include <string>
#include <string_view>

namespace win32 {

// Each byte becomes its Windows-1252 character; the five bytes that code page
// leaves undefined become the control characters of the same number.
std::string ansiToUtf8(std::string_view ansi);

// Each character becomes its Windows-1252 byte; a character the code page
// cannot represent, and an invalid UTF-8 sequence, becomes "?".
std::string utf8ToAnsi(std::string_view utf8);

}  // namespace win32
