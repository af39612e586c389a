#include "src/export/Letterheads.h"

#include "platform/pdf/PdfReadability.h"
#include "platform/runtime/Interaction.h"
#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/util/FileChecks.h"
#include "src/util/Messages.h"

using namespace INI_Datei;

namespace {

// A letterhead is a page or two; a larger file is refused unread.
constexpr std::uintmax_t LargestLetterhead = std::uintmax_t{100} * 1024 * 1024;

// Why pdftk could not read a letterhead, for the user.
std::string unreadableBecause(pdf::Readability readability) {
    switch (readability) {
        case pdf::Readability::Readable: break;
        case pdf::Readability::Missing: return "Die Datei lässt sich nicht öffnen.";
        case pdf::Readability::Folder: return "Der Pfad ist ein Ordner, keine PDF-Datei.";
        case pdf::Readability::NotAFile: return "Der Pfad ist keine gewöhnliche Datei (eine Pipe oder ein Gerät).";
        case pdf::Readability::TooLarge: return "Die Datei ist größer als 100 MB; so groß ist kein Briefpapier.";
        case pdf::Readability::Empty: return "Die Datei ist leer.";
        case pdf::Readability::NotPdf: return "Die Datei ist keine PDF-Datei.";
        case pdf::Readability::Damaged: return "Die PDF-Datei ist beschädigt.";
        case pdf::Readability::NoPages: return "Die PDF-Datei hat keine Seite.";
        case pdf::Readability::PasswordNeeded: return "Die PDF-Datei ist mit einem Kennwort geschützt.";
        case pdf::Readability::EncryptionUnreadable:
            return "Die PDF-Datei ist mit AES-256 verschlüsselt; pdftk kann sie nicht lesen.";
    }
    return {};
}

}  // namespace

namespace Letterheads {

Decision check() {
    // The following-pages letterhead is tested first; only one message is shown.
    const std::string letterheads[] = {following(), first(Layout::FirstAndFollowing)};
    const char* const keys[] = {Keys::ZweiteSeite, Keys::ErsteSeite};
    for (std::size_t i = 0; i < std::size(letterheads); ++i) {
        // A relative path would find a file in whatever folder the host was started from.
        if (const PathValue named = ReadIniPath(SettingsFile(), Section, keys[i]); !named.why.empty()) {
            runtime::MsgBox(named.why, runtime::vbCritical, MessageTitle);
            return Flow::End;
        }
        if (!com::isTrue(FileChecks::FileFolderExists(letterheads[i]))) {
            // A path names what is missing; an empty one needs the reason,
            // and one the user's file lacks says whose file it came from.
            const std::string source = ValueSource(SettingsFile(), Section, keys[i]);
            std::string why;
            if (letterheads[i].empty())
                why = "\r\n" + WhyNoValue(SettingsFile(), Section, keys[i]);
            else if (source != SettingsFile())
                why = "\r\nDer Eintrag " + std::string(keys[i]) +
                      " kommt aus der Einstellungsdatei des Administrators " + source + ".";
            // No title: the box shows the project's title.
            runtime::MsgBox("Datei " + letterheads[i] + " nicht gefunden bitte \r\n" + AddInFolder + SettingsFileName +
                            "\r\n anpassen" + why);
            return Flow::End;
        }
    }
    // A letterhead pdftk cannot read would only end in "no PDF was made"
    // after printing; the user learns which file and why before anything.
    for (const std::string& letterhead : letterheads) {
        if (const std::string refused = refusal(letterhead); !refused.empty()) {
            runtime::MsgBox(refused, runtime::vbCritical, MessageTitle);
            return Flow::End;
        }
    }
    return Flow::Continue;
}

std::string whyUnreadable(const std::string& path) {
    return unreadableBecause(pdf::inspect(path, LargestLetterhead).readability);
}

std::string refusal(const std::string& path) {
    const std::string reason = whyUnreadable(path);
    if (reason.empty()) return {};
    return "Der Kopfbogen " + path + " lässt sich nicht verwenden:\r\n" + reason;
}

std::string first(Layout layout) {
    return ReadIniPath(SettingsFile(), Section, layout == Layout::AllOnFollowing ? Keys::ZweiteSeite : Keys::ErsteSeite)
        .path;
}

std::string following() {
    return ReadIniPath(SettingsFile(), Section, Keys::ZweiteSeite).path;
}

}  // namespace Letterheads
