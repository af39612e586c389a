#pragma once
// Conversion between UTF-8 and the system's single-byte code page, Windows-1252.
#include <string>
#include <string_view>

namespace win32 {

// Each byte becomes its Windows-1252 character; the five bytes that code page
// leaves undefined become the control characters of the same number.
std::string ansiToUtf8(std::string_view ansi);

// What becomes of bytes that are no valid UTF-8: a "?", or the bytes as they
// are (a text that was most likely written in Windows-1252 already).
enum class InvalidUtf8 { Question, KeepBytes };

// Each character becomes its Windows-1252 byte; a character the code page
// cannot represent becomes "?", an invalid UTF-8 sequence as `invalid` says.
std::string utf8ToAnsi(std::string_view utf8, InvalidUtf8 invalid = InvalidUtf8::Question);

// Whether Windows-1252 holds every character of `utf8`, so that utf8ToAnsi
// gives it back unchanged through ansiToUtf8 (a path like "/home/jürgen" is
// held, "/home/łukasz" is not). Invalid UTF-8 is not held.
bool fitsAnsi(std::string_view utf8);

// Whether every byte of `text` belongs to a valid UTF-8 sequence (no overlong
// forms, surrogates or characters beyond U+10FFFF).
bool isUtf8(std::string_view text);

}  // namespace win32
