#pragma once
// The text of a private-profile (settings) file: reading a value out of the
// file's bytes and computing the bytes after a write. Pure functions without
// I/O, so that every rule can be exercised on byte strings alone.
//
// All texts here are the file's own bytes, in its encoding (see Encoding).
// Lines end in CRLF, LF or CR. Every line is trimmed of blanks, tabs and
// vertical tabs; a line whose first character is ";" is a comment; "[name]"
// starts a section (the name ends at the first "]" or the line's end); any
// other line with a "=" is an entry, split at its first "=". Section and key
// names match without regard to case. Only the first section of a name is
// searched, and the first of duplicate keys wins. Lines before the first
// section belong to none.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win32::profile {

// How a file spells its texts. Windows reads every settings file in the
// system's code page, Windows-1252. A file that a Linux editor saved is
// UTF-8: its umlauts would read as two characters each ("BriefkÃ¶pfe") and
// its keys would not match. So a file that starts with the UTF-8 byte order
// mark, or whose bytes are valid UTF-8 and not all ASCII, is read as UTF-8
// and written so, the mark kept; any other file, a new one too, is
// Windows-1252. The mark belongs to neither the first line nor any name.
enum class Encoding { Windows1252, Utf8, Utf8WithBom };

Encoding encodingOf(std::string_view fileBytes);

// A UTF-8 text as the file spells it, and back: Windows-1252 converted
// (a character that code page lacks becomes "?"), UTF-8 as it is.
std::string toFileText(std::string_view utf8, Encoding encoding);
std::string fromFileText(std::string_view fileText, Encoding encoding);

// Whether the file keeps `utf8` as it is: UTF-8 holds every text,
// Windows-1252 the texts of its characters.
bool holds(Encoding encoding, std::string_view utf8);

// The value of `key` in `section`: trimmed, with one outer pair of equal
// quotes (' or ") removed, and cut at a NUL byte as a C string would be.
// Nothing when the section or the key is missing.
std::optional<std::string> findValue(std::string_view fileBytes, std::string_view section, std::string_view key,
                                     Encoding encoding);

// The names of the file's sections, in order, as spelled in the file.
std::vector<std::string> sectionNames(std::string_view fileBytes, Encoding encoding);

// The file's bytes after setting `key` of `section` to `value` (written as
// given). An existing key's line becomes "<key as spelled in the file>=value"
// and keeps its own line break; a new key goes directly after the last entry
// of the section, or directly after its header when it has none; a new
// section goes at the end. Every other byte stays as it was, a byte order
// mark too. `encoding` is the file's (encodingOf; for a new file, the one it
// is to have).
std::string withValue(std::string_view fileBytes, std::string_view section, std::string_view key,
                      std::string_view value, Encoding encoding);

// A value read as a decimal integer: the leading digits after an optional
// sign, wrapping modulo 2^32; no digits give 0.
std::uint32_t parseInt(std::string_view value);

}  // namespace win32::profile
