#include "src/settings/INI_Datei.h"

#include <algorithm>
#include <string>

#include "platform/win32/PrivateProfile.h"
#include "src/util/TellOnce.h"

namespace INI_Datei {

std::string HostKind;
std::string AddInFolder;
com::Boolean AnswerCancel = com::False;
com::Boolean AnswerOverwrite = com::False;
com::Boolean AnswerRename = com::False;
com::Boolean AnswerRemembered = com::False;

void ResetState() {
    TellOnce::forget();
    HostKind.clear();
    AddInFolder.clear();
    AnswerCancel = AnswerOverwrite = AnswerRename = AnswerRemembered = com::False;
}

std::string SettingsFile() {
    return AddInFolder + SettingsFileName;
}

std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key) {
    constexpr win32::DWORD size = 1024;
    // The value and its terminating NUL land in front of the blank fill.
    std::string buffer(size, ' ');
    win32::GetPrivateProfileStringA(section, key, "", buffer, size, file);
    const auto first = buffer.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::string value = buffer.substr(first, buffer.find_last_not_of(' ') - first + 1);
    if (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
}

std::int32_t ReadIniInteger(const std::string& file, const std::string& section, const std::string& key) {
    return static_cast<std::int32_t>(win32::GetPrivateProfileIntA(section, key, 0, file));
}

void WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value) {
    win32::WritePrivateProfileStringA(section, key, value, file);
}

std::optional<std::string> WriteIniStrings(const std::string& file, const std::string& section,
                                           const std::vector<win32::ProfileEntry>& entries) {
    if (win32::WritePrivateProfileEntries(section, entries, file)) return std::nullopt;
    switch (const win32::DWORD error = win32::GetLastError()) {
        case win32::ERROR_ACCESS_DENIED:
            return "Zugriff verweigert: Die Datei ist schreibgeschützt oder gehört einem anderen Benutzer.";
        case win32::ERROR_SHARING_VIOLATION: return "Ein anderes Programm schreibt die Datei gerade.";
        case win32::ERROR_PATH_NOT_FOUND: return "Der Ordner der Datei fehlt.";
        default: return "Die Datei lässt sich nicht schreiben (Fehler " + std::to_string(error) + ").";
    }
}

std::string WithTrailingBackslash(const std::string& path) {
    if (path.empty()) return {};
    if (path.back() == '\\') return path;
    return path + "\\";
}

}  // namespace INI_Datei
