#pragma once
// The private-profile (settings file) functions, ANSI variants: every text is
// UTF-8 here and Windows-1252 in the file, or UTF-8 in a file saved so by
// hand (see ProfileText.h, Encoding). The file format and the reading and
// writing rules are those of Windows (see ProfileText.h).
#include <span>
#include <string>
#include <string_view>

#include "Types.h"

namespace win32 {

// Reads `key` of `section`. The value, cut to size - 1 characters, followed by
// a NUL character, replaces the first characters of `buffer`; the rest of the
// buffer keeps what it held. `buffer` must hold at least `size` characters
// (code points). A missing file, section or key gives `defaultValue`.
// Returns the number of characters copied, without the NUL.
DWORD GetPrivateProfileStringA(std::string_view section, std::string_view key, std::string_view defaultValue,
                               std::string& buffer, DWORD size, std::string_view fileName);

// Reads `key` as a decimal integer: leading digits after an optional sign,
// wrapping modulo 2^32; a missing file, section or key gives `defaultValue`.
UINT GetPrivateProfileIntA(std::string_view section, std::string_view key, std::int32_t defaultValue,
                           std::string_view fileName);

// Sets `key` of `section` to `value`, creating the file and the section when
// missing. Every other byte of the file stays as it was. The file is re-read
// and replaced as a whole (temporary file and rename) under a lock on its
// folder, so that concurrent writers of other keys lose nothing and no reader
// ever sees a torn file. FALSE, with the last error set, when the file cannot
// be written: a missing folder, a folder in the file's place, a read-only file
// (no write permission bits, as Windows' read-only attribute, also for root),
// a file the caller has no write access to (ERROR_ACCESS_DENIED: another
// user's, even in a folder the caller may write; root has access, as Windows'
// administrator) or a folder that refuses new files; the file is then left as
// it was, with its bytes, owner and mode. A file the caller may write keeps
// its owner, group and mode (see AtomicFile.h).
BOOL WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                std::string_view fileName);

// The names of the file's sections (UTF-8), each followed by a NUL, and one
// more NUL after the last, replace `buffer`; as many as fit in `size`
// characters. A missing or unreadable file, or one without a section, gives
// two NULs. Returns the characters stored, without the last NUL.
DWORD GetPrivateProfileSectionNamesA(std::string& buffer, DWORD size, std::string_view fileName);

struct ProfileEntry {
    std::string key;
    std::string value;
};

// Sets several keys of `section`, in order, as WritePrivateProfileStringA for
// each in turn would (the file ends up with the same bytes), but under one
// lock, one read and one replacement: a writer that holds the folder costs
// one wait, not one per key, and a reader sees all of them or none. Fails as
// WritePrivateProfileStringA does, and then writes none of them.
BOOL WritePrivateProfileEntries(std::string_view section, std::span<const ProfileEntry> entries,
                                std::string_view fileName);

// Whether a write of `text` into the file keeps it as it is: TRUE for a file
// in UTF-8, and for any other (a missing one too) when Windows-1252 holds
// every character of `text` ("/home/jürgen", not "/home/łukasz").
BOOL ProfileHoldsText(std::string_view text, std::string_view fileName);

}  // namespace win32
