#include "src/settings/INI_Datei.h"

#include <algorithm>
#include <string>

#include "platform/com/Dispatch.h"
#include "platform/win32/Files.h"
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

std::string WhyNoValue(const std::string& file, const std::string& section, const std::string& key) {
    if (!ReadIniString(file, section, key).empty()) return {};
    if (win32::PathFileExistsA(file) == 0) return "Die Einstellungsdatei " + file + " fehlt.";
    constexpr win32::DWORD size = 32767;
    std::string names;
    win32::GetPrivateProfileSectionNamesA(names, size, file);
    bool found = false;
    for (std::size_t at = 0; at < names.size() && names[at] != '\0'; at = names.find('\0', at) + 1)
        found = found || com::sameName(names.substr(at, names.find('\0', at) - at), section);
    if (!found)
        return "Die Einstellungsdatei " + file + " enthält keinen Abschnitt [" + section +
               "]; sie lässt sich nicht als Einstellungen lesen.";
    return "In " + file + " fehlt der Eintrag " + key + " im Abschnitt [" + section + "], oder er ist leer.";
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
