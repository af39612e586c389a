#include "src/addin/SettingsPage.h"

#include "platform/runtime/Interaction.h"
#include "platform/win32/PrivateProfile.h"
#include "platform/win32/UserProfile.h"
#include "src/export/Collision.h"
#include "src/export/HostDocument.h"
#include "src/export/Letterheads.h"
#include "src/export/OutputNaming.h"
#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/util/Failures.h"
#include "src/util/Project.h"

using namespace INI_Datei;

namespace {

// The page may be opened before a host has loaded the library: its folders
// are settled as a press settles them.
void settle() {
    ignoreFailure([] { Project::start(); });
    SettleFolders();
}

bool isLetterhead(const std::string& key) {
    return key == Keys::ErsteSeite || key == Keys::ZweiteSeite;
}

bool isOutputFolder(const std::string& key) {
    return key == Keys::PDFAusgabePfadWord || key == Keys::PDFAusgabePfadExcel;
}

// What the settings file cannot hold: a file in Windows-1252 lacks most
// letters of the world. A path in the home folder needs none of its name.
std::string notHeld(const std::string& value) {
    std::string why = "Die Einstellungsdatei " + SettingsFile() + " (Windows-1252) kann " + value + " nicht aufnehmen.";
    std::string home;
    if (win32::GetUserProfileDirectoryA(home) && value.starts_with(home + "/") &&
        win32::ProfileHoldsText(value.substr(home.size()), SettingsFile()))
        why += "\r\nIm persönlichen Ordner lässt sich der Pfad so schreiben: ~" + value.substr(home.size());
    return why;
}

// What keeps `value` from naming a file or folder for the press; empty, and
// the full path in `path`, when nothing does.
std::string pathRefusal(const std::string& value, std::string& path) {
    // It would end pdftk's quoted arguments early.
    if (value.find('"') != std::string::npos)
        return "Der Pfad enthält ein Anführungszeichen und kann nicht verarbeitet werden: " + value;
    const std::optional<std::string> full = FullPath(value);
    if (!full) return "Kein vollständiger Pfad: " + value + "\r\n" + WhyNoFullPath(value);
    path = *full;
    return {};
}

std::string kuerzelRefusal(const std::string& value) {
    if (OutputNaming::hasSeparator(value))
        return "Das Firmenkürzel " + value + " enthält \\ oder /; die PDF-Datei käme nicht in den Ausgabeordner.";
    if (value.find('"') != std::string::npos)
        return "Das Firmenkürzel " + value + " enthält ein Anführungszeichen und kann nicht verarbeitet werden.";
    return {};
}

}  // namespace

namespace SettingsPage {

std::string file() {
    settle();
    return SettingsFile();
}

Value value(const std::string& key) {
    settle();
    std::string source = ValueSource(SettingsFile(), Section, key);
    // A key that neither file has is the user's to set.
    if (source != SettingsFile() && Lacks(source, Section, key)) source = SettingsFile();
    return {ReadIniString(SettingsFile(), Section, key), std::move(source)};
}

std::string refusal(const std::string& key, const std::string& value) {
    settle();
    if (!isLetterhead(key) && !isOutputFolder(key) && key != Keys::Firmenkuerzel)
        return "Den Eintrag " + key + " ändert diese Seite nicht.";
    if (!win32::ProfileHoldsText(value, SettingsFile())) return notHeld(value);
    // A longer value would be read cut.
    if (runtime::Len(value) >= LongestValue)
        return "Der Wert von " + key + " ist zu lang (höchstens " + std::to_string(LongestValue - 1) + " Zeichen).";
    if (key == Keys::Firmenkuerzel) return kuerzelRefusal(value);
    // Without an output folder the result goes beside the document, as
    // with a value of one character.
    if (isOutputFolder(key) && runtime::Len(value) <= 1) return {};
    if (isLetterhead(key) && value.empty())
        return "Ohne Kopfbogen lässt sich kein PDF-Ausdruck erzeugen: Bitte eine PDF-Datei wählen.";
    std::string path;
    if (std::string why = pathRefusal(value, path); !why.empty()) return why;
    if (isLetterhead(key)) return Letterheads::refusal(path);
    return HostDocument::whyNoOutputFolder(WithTrailingBackslash(path));
}

std::string store(const std::vector<win32::ProfileEntry>& entries) {
    for (const win32::ProfileEntry& entry : entries)
        if (std::string why = refusal(entry.key, entry.value); !why.empty()) return why;
    if (const auto why = WriteIniStrings(SettingsFile(), Section, entries))
        return "Die Einstellungen lassen sich nicht in " + SettingsFile() + " speichern:\r\n" + *why;
    return {};
}

std::string rememberedAnswer(const std::string& host) {
    settle();
    return Collision::rememberedAnswer(host);
}

std::string forgetAnswer(const std::string& host) {
    settle();
    const auto keys = Keys::answerKeys(host);
    if (!keys) return "Für " + host + " merkt sich pdf-Kalmora keine Antwort.";
    // A key of the user's own wins over the administrator's.
    if (const auto why = WriteIniStrings(SettingsFile(), Section, {{keys->gelesen, Keys::checkBoxText(0)}}))
        return "Die Antwort lässt sich nicht vergessen: " + SettingsFile() + "\r\n" + *why;
    return {};
}

}  // namespace SettingsPage
