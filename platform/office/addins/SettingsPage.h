#pragma once
// The settings page that a host shows for an add-in among its own settings
// (LibreOffice's Tools ▸ Options): the C functions that an add-in library
// exports when the user may change its settings there. The page itself
// reads, checks and writes nothing: the add-in reads its settings as a press
// of its button does, checks each value as the press would, and writes with
// its own writer. Texts are UTF-8. A returned text is never null and stays
// valid until the next call of the same function; nothing is thrown. Called
// on the host's main thread only.
extern "C" {

// The file the page's values go to: the user's own settings file.
using SettingsPageFileFn = const char* (*)();

// The value in force of `key`: the user's, else the administrator's (a
// settings cascade). `source` receives the file it is read from.
using SettingsPageValueFn = const char* (*)(const char* key, const char** source);

// Why `value` may not be stored under `key`, for the user; empty when it may.
using SettingsPageRefusalFn = const char* (*)(const char* key, const char* value);

// Stores `count` values under their keys in one write. Empty when they are
// stored; else why not, and none is (a refused value, a file that cannot be
// written).
using SettingsPageStoreFn = const char* (*)(const char* const* keys, const char* const* values, int count);

// The answer that a host ("Word" or "Excel") remembers for an output file
// that exists, as the user sees it ("Überschreiben", "Umbenennen"); empty
// while the user is asked.
using SettingsPageAnswerFn = const char* (*)(const char* host);

// Forgets that answer, so that the user is asked again. Empty, or why it
// cannot be forgotten.
using SettingsPageForgetFn = const char* (*)(const char* host);
}

namespace office::settings_page {

inline constexpr const char* kFile = "SettingsPageFile";
inline constexpr const char* kValue = "SettingsPageValue";
inline constexpr const char* kRefusal = "SettingsPageRefusal";
inline constexpr const char* kStore = "SettingsPageStore";
inline constexpr const char* kAnswer = "SettingsPageAnswer";
inline constexpr const char* kForget = "SettingsPageForget";

}  // namespace office::settings_page
