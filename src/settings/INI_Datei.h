#pragma once
// The settings module: the only code that touches the settings file, and the
// state that one export run shares with the windows it shows. One copy per
// loaded add-in library; Word and Excel each load their own.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/Boolean.h"
#include "platform/win32/PrivateProfile.h"

namespace INI_Datei {

inline constexpr const char* SettingsFileName = "pdf-Kalmora.ini";
inline constexpr const char* Section = "Global";

// "Word" or "Excel"; empty while the host is neither. Chooses the answer keys.
extern std::string HostKind;
// The add-in library's own folder, ending in "\".
extern std::string AddInFolder;
// The folder that holds the add-in library's own file, links resolved,
// ending in "\"; empty when unknown. An installation keeps the library there
// and links to it from each user's add-in folder; the administrator's
// settings file lies beside it (see AdministratorFile).
extern std::string AdministratorFolder;
// The answer to the question what to do with an output file that exists.
extern com::Boolean AnswerCancel;
extern com::Boolean AnswerOverwrite;
extern com::Boolean AnswerRename;
extern com::Boolean AnswerRemembered;

// Back to the state of a freshly loaded library.
void ResetState();

// Sets AddInFolder and AdministratorFolder from the folder the runtime
// reports for the library, afresh at every use, as that folder is.
void SettleFolders();

// AddInFolder followed by the settings file's name: the user's settings,
// the file that remembered answers are written to.
std::string SettingsFile();

// AdministratorFolder followed by the settings file's name, when that is
// another file than SettingsFile() (whether or not it exists); empty when
// there is none, as in the build tree, where the library lies in the add-in
// folder itself. Never written.
std::string AdministratorFile();

// Whether `file` lacks `key`: the file, the section or the key is missing.
bool Lacks(const std::string& file, const std::string& section, const std::string& key);

// The file that a read of `key` takes its value from: the administrator's,
// when `file` is the user's settings file, lacks the key (the file, the
// section or the key is missing) and there is an administrator's file;
// otherwise `file`. A key the user's file has wins, also with an empty value.
std::string ValueSource(const std::string& file, const std::string& section, const std::string& key);

// The most characters a value read has; a longer value is cut to this.
inline constexpr std::size_t LongestValue = 1023;

// The value of `key` (read from ValueSource), blanks and one pair of quotes
// removed, at most LongestValue characters; empty when the file, the section
// or the key is missing.
std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key);
// Why ReadIniString gives nothing for `key`, for the user: the file is
// missing, cannot be read as settings (no section `section`), or lacks the
// key. When the administrator's file was read too, a second line says the
// same of it. Empty when the key has a value.
std::string WhyNoValue(const std::string& file, const std::string& section, const std::string& key);
// The value (read from ValueSource) as a decimal integer; 0 when missing or
// not a number.
std::int32_t ReadIniInteger(const std::string& file, const std::string& section, const std::string& key);
// Stores `value`; a file that cannot be written is left as it was, silently.
void WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value);
// Stores several keys of one section at once, with the bytes that writing
// them one by one would give: a settings folder locked by another program
// costs one wait for all of them, not one per key. A file that cannot be
// written is left as it was; the result then says why, in German.
std::optional<std::string> WriteIniStrings(const std::string& file, const std::string& section,
                                           const std::vector<win32::ProfileEntry>& entries);
// The file or folder that a path value names: "~/" (or "~\") at its start
// stands for the user's home folder, as everywhere on Linux. None for a value
// that is relative in any other way: it would name a place in whatever folder
// the host happened to be started from. Empty stays empty.
std::optional<std::string> FullPath(const std::string& value);

// Why `value` is no FullPath, for the user: the line that follows the
// message naming it.
std::string WhyNoFullPath(const std::string& value);

// The value of a key that names a file or folder (as ReadIniString reads
// it), made a FullPath. A relative value stays as it is and `why` names the
// key, the file it comes from and the value, for the user.
struct PathValue {
    std::string path;
    std::string why;
};
PathValue ReadIniPath(const std::string& file, const std::string& section, const std::string& key);

// The path ending in "\" (only the backslash counts); empty stays empty.
std::string WithTrailingBackslash(const std::string& path);

}  // namespace INI_Datei
