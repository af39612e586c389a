#include "src/settings/INI_Datei.h"

#include <algorithm>
#include <string>

#include "platform/com/Dispatch.h"
#include "platform/runtime/Runtime.h"
#include "platform/win32/Files.h"
#include "platform/win32/PrivateProfile.h"
#include "platform/win32/UserProfile.h"
#include "src/util/Project.h"
#include "src/util/TellOnce.h"

namespace INI_Datei {

std::string HostKind;
std::string AddInFolder;
std::string AdministratorFolder;
com::Boolean AnswerCancel = com::False;
com::Boolean AnswerOverwrite = com::False;
com::Boolean AnswerRename = com::False;
com::Boolean AnswerRemembered = com::False;

void ResetState() {
    TellOnce::forget();
    HostKind.clear();
    AddInFolder.clear();
    AdministratorFolder.clear();
    AnswerCancel = AnswerOverwrite = AnswerRename = AnswerRemembered = com::False;
}

void SettleFolders() {
    AddInFolder = WithTrailingBackslash(runtime::app().path);
    AdministratorFolder = WithTrailingBackslash(Project::ownFileFolder());
}

std::string SettingsFile() {
    return AddInFolder + SettingsFileName;
}

std::string AdministratorFile() {
    if (AdministratorFolder.empty()) return {};
    // The build tree and the demo: the library lies in the add-in folder.
    if (win32::IsSameFileA(AdministratorFolder, AddInFolder)) return {};
    std::string file = AdministratorFolder + SettingsFileName;
    // A user's settings that link to the administrator's are that one file.
    if (win32::IsSameFileA(file, SettingsFile())) return {};
    return file;
}

namespace {

// A default that no file can give: a value ends where its line does.
constexpr const char* Lacking = "\n";

enum class Owner { User, Administrator };

// Why `file` gives nothing for `key`, in the words of WhyNoValue.
std::string whyNothingIn(const std::string& file, const std::string& section, const std::string& key, Owner owner) {
    const std::string named = owner == Owner::User ? file : "des Administrators " + file;
    if (win32::PathFileExistsA(file) == 0) return "Die Einstellungsdatei " + named + " fehlt.";
    constexpr win32::DWORD size = 32767;
    std::string names;
    win32::GetPrivateProfileSectionNamesA(names, size, file);
    bool found = false;
    for (std::size_t at = 0; at < names.size() && names[at] != '\0'; at = names.find('\0', at) + 1)
        found = found || com::sameName(names.substr(at, names.find('\0', at) - at), section);
    if (!found)
        return "Die Einstellungsdatei " + named + " enthält keinen Abschnitt [" + section +
               "]; sie lässt sich nicht als Einstellungen lesen.";
    return "In " + (owner == Owner::User ? file : "der Einstellungsdatei " + named) + " fehlt der Eintrag " + key +
           " im Abschnitt [" + section + "], oder er ist leer.";
}

}  // namespace

bool Lacks(const std::string& file, const std::string& section, const std::string& key) {
    std::string buffer(2, ' ');
    win32::GetPrivateProfileStringA(section, key, Lacking, buffer, 2, file);
    return buffer.front() == '\n';
}

std::string ValueSource(const std::string& file, const std::string& section, const std::string& key) {
    if (file != SettingsFile()) return file;
    std::string fallback = AdministratorFile();
    if (fallback.empty() || !Lacks(file, section, key)) return file;
    return fallback;
}

std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key) {
    constexpr win32::DWORD size = 1024;
    // The value and its terminating NUL land in front of the blank fill.
    std::string buffer(size, ' ');
    win32::GetPrivateProfileStringA(section, key, "", buffer, size, ValueSource(file, section, key));
    const auto first = buffer.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::string value = buffer.substr(first, buffer.find_last_not_of(' ') - first + 1);
    if (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
}

std::string WhyNoValue(const std::string& file, const std::string& section, const std::string& key) {
    if (!ReadIniString(file, section, key).empty()) return {};
    const std::string source = ValueSource(file, section, key);
    if (source == file) return whyNothingIn(file, section, key, Owner::User);
    return whyNothingIn(file, section, key, Owner::User) + "\r\n" +
           whyNothingIn(source, section, key, Owner::Administrator);
}

std::int32_t ReadIniInteger(const std::string& file, const std::string& section, const std::string& key) {
    return static_cast<std::int32_t>(win32::GetPrivateProfileIntA(section, key, 0, ValueSource(file, section, key)));
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

namespace {

bool inHome(const std::string& value) {
    return value.starts_with("~/") || value.starts_with("~\\");
}

}  // namespace

std::optional<std::string> FullPath(const std::string& value) {
    if (value.empty() || value.front() == '/' || value.front() == '\\') return value;
    if (!inHome(value)) return std::nullopt;
    std::string home;
    if (!win32::GetUserProfileDirectoryA(home)) return std::nullopt;
    if (home == "/") home.clear();
    return home + value.substr(1);
}

std::string WhyNoFullPath(const std::string& value) {
    std::string home;
    if (inHome(value) && !win32::GetUserProfileDirectoryA(home))
        return "Der persönliche Ordner (~) lässt sich nicht bestimmen: HOME ist nicht gesetzt.";
    return "Ein Pfad muss mit / beginnen, oder mit ~/ für den persönlichen Ordner; ein anderer hinge davon ab, in "
           "welchem Ordner das Programm gestartet wurde.";
}

PathValue ReadIniPath(const std::string& file, const std::string& section, const std::string& key) {
    std::string value = ReadIniString(file, section, key);
    if (std::optional<std::string> path = FullPath(value)) return {std::move(*path), {}};
    std::string why = "Der Wert von " + key + " in " + ValueSource(file, section, key) +
                      " ist kein vollständiger Pfad: " + value + "\r\n" + WhyNoFullPath(value);
    return {std::move(value), std::move(why)};
}

std::string WithTrailingBackslash(const std::string& path) {
    if (path.empty()) return {};
    if (path.back() == '\\') return path;
    return path + "\\";
}

}  // namespace INI_Datei
