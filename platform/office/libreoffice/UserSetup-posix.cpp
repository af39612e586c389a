#include "platform/office/libreoffice/UserSetup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/com/ServerLibrary.h"
#include "platform/office/addins/AddInList.h"
#include "platform/pdfprinter/Names.h"
#include "platform/printers/PrintSystem.h"
#include "platform/win32/Codepage.h"
#include "platform/win32/ErrorText.h"
#include "platform/win32/PrivateProfile.h"
#include "platform/win32/Windows.h"
#include "platform/world/World.h"

namespace office::libreoffice {

namespace fs = std::filesystem;

namespace {

constexpr const char* kAddInLibrary = "PDF_Kalmora.so";
constexpr const char* kAddInProgId = "PDF_Kalmora.Connect";
constexpr const char* kSettingsFile = "pdf-Kalmora.ini";
constexpr const char* kLetterheadFolder = "Briefpapier";
constexpr const char* kFirstLetterhead = "Kopfbogen-Seite1.pdf";
constexpr const char* kFollowingLetterhead = "Kopfbogen-Folgeseiten.pdf";
constexpr const char* kDefaultPrinter = "Standarddrucker";

// What could not be made, and why, for the user's message.
struct Failure {
    std::string path;
    std::string reason;
};

[[noreturn]] void fail(const fs::path& path, int error) {
    throw Failure{path.string(), win32::errorText(std::error_code(error, std::generic_category()))};
}

bool isPresent(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// The folder, and those above it that are missing, made for this user alone
// (as the XDG folders are); a folder that is there keeps its mode.
void makeFolder(const fs::path& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) == 0) {
        if (!S_ISDIR(status.st_mode)) fail(folder, ENOTDIR);
        return;
    }
    if (errno != ENOENT) fail(folder, errno);
    if (folder.has_relative_path() && folder.parent_path() != folder) makeFolder(folder.parent_path());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) fail(folder, errno);
}

// `at` becomes a symbolic link to `target` unless it is one already. The
// new link is made under a hidden name and renamed over what stands there,
// so that the name never goes missing for a host that loads it meanwhile; a
// folder of that name is no link of ours and stays.
void link(const fs::path& at, const fs::path& target) {
    std::error_code error;
    if (fs::read_symlink(at, error) == target && !error) return;
    const fs::path temporary = at.parent_path() / ("." + at.filename().string() + "." + std::to_string(::getpid()));
    ::unlink(temporary.c_str());
    if (::symlink(target.c_str(), temporary.c_str()) != 0) fail(at, errno);
    if (::rename(temporary.c_str(), at.c_str()) != 0) {
        const int cause = errno;
        ::unlink(temporary.c_str());
        fail(at, cause);
    }
}

std::string settingsFailure(win32::DWORD error) {
    switch (error) {
        case win32::ERROR_ACCESS_DENIED: return "Zugriff verweigert.";
        case win32::ERROR_PATH_NOT_FOUND: return "Der Ordner der Datei fehlt.";
        default: return "Die Einstellungsdatei lässt sich nicht schreiben (Fehler " + std::to_string(error) + ").";
    }
}

std::string message(const Failure& failure) {
    return "pdf-Kalmora lässt sich nicht einrichten:\r\n" + failure.path + ": " + failure.reason;
}

// The installation's letterheads, and the user's settings file naming them
// when the user has none. A path the settings file cannot hold is not
// written: the message says so.
std::optional<Failure> letterheads(const fs::path& root, const fs::path& addIn) {
    const fs::path first = addIn / kFirstLetterhead;
    const fs::path following = addIn / kFollowingLetterhead;
    link(first, root / kLetterheadFolder / kFirstLetterhead);
    link(following, root / kLetterheadFolder / kFollowingLetterhead);
    const fs::path settings = addIn / kSettingsFile;
    if (isPresent(settings)) return std::nullopt;
    for (const fs::path& letterhead : {first, following}) {
        if (!win32::fitsAnsi(letterhead.string()))
            return Failure{letterhead.string(), "Die Einstellungsdatei " + std::string(kSettingsFile) +
                                                    " (Windows-1252) kann diesen Pfad nicht aufnehmen."};
    }
    const std::vector<win32::ProfileEntry> entries = {
        {"ErsteSeite", first.string()}, {"ZweiteSeite", following.string()}, {"Firmenkürzel", "KBS"}};
    if (!win32::WritePrivateProfileEntries("Global", entries, settings.string()))
        throw Failure{settings.string(), settingsFailure(win32::GetLastError())};
    return std::nullopt;
}

void registerServer(const fs::path& library) {
    try {
        com::ServerLibrary(library.string()).call(com::Registration::Register);
    } catch (const com::ServerLibraryError& error) {
        throw Failure{error.path(), error.reason()};
    }
}

// The printers, the classes and the add-in lists of the user's world.
void world(const fs::path& root, const fs::path& addIn) {
    const fs::path folder = world::folderFor([](const char* name) { return std::getenv(name); });
    makeFolder(folder);
    try {
        const std::string pdfPrinter(pdfprinter::printerName);
        if (!printers::exists(pdfPrinter)) printers::install(pdfPrinter);
        // A default printer to come back to after printing to the PDF printer.
        if (!printers::defaultPrinter()) {
            printers::install(kDefaultPrinter);
            printers::setDefaultPrinter(kDefaultPrinter);
        }
    } catch (const std::system_error& error) {
        throw Failure{folder.string(), win32::errorText(error.code())};
    }
    registerServer(root / "lib" / "libPDFCreator.so");
    // Loaded through the link, so that the registry names the user's folder
    // and stays right when the installation moves.
    registerServer(addIn / kAddInLibrary);
    try {
        registerAddIn("Word", kAddInProgId);
        registerAddIn("Excel", kAddInProgId);
    } catch (const std::system_error& error) {
        throw Failure{folder.string(), win32::errorText(error.code())};
    }
}

}  // namespace

fs::path UserSetup::addInFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return fs::path(data) / "pdf-Kalmora";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".local" / "share" / "pdf-Kalmora";
    throw std::runtime_error("weder XDG_DATA_HOME noch HOME ist gesetzt");
}

std::optional<std::string> UserSetup::run() const {
    fs::path addIn;
    try {
        addIn = addInFolder();
        makeFolder(addIn);
        for (const char* name : {kAddInLibrary, "pdftk.exe", "pdftk-guard", "lib"}) link(addIn / name, root_ / name);
        // Without the administrator's settings the installation brings its own letterheads.
        std::optional<Failure> unwritten;
        if (!isPresent(root_ / kSettingsFile)) unwritten = letterheads(root_, addIn);
        world(root_, addIn);
        if (unwritten) return message(*unwritten);
        return std::nullopt;
    } catch (const Failure& failure) {
        return message(failure);
    } catch (const std::exception& error) {
        return message({addIn.string(), error.what()});
    }
}

}  // namespace office::libreoffice
