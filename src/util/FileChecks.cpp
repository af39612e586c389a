// The file test and the file deletion of the export command.
#include "src/util/FileChecks.h"
#include <cstdint>

#include "platform/com/Error.h"
#include "platform/runtime/Interaction.h"
#include "platform/win32/Files.h"
#include "src/util/Messages.h"

namespace FileChecks {

com::Boolean FileFolderExists(const std::string& Path) {
    return com::toBoolean(win32::PathFileExistsA(Path) != 0);
}

com::Boolean DeleteExistingFile(const std::string& fileName) {
    try {
        if (com::isTrue(FileFolderExists(fileName))) runtime::Kill(fileName);
        return com::True;
    } catch (const com::Error&) {
        // Held open by another program, read-only, or a folder of that name.
        tellLocked(fileName);
        return com::False;
    }
}

com::Boolean FileReplaceable(const std::string& fileName) {
    if (!com::isTrue(FileFolderExists(fileName)) || win32::CanDeleteFileA(fileName)) return com::True;
    tellLocked(fileName);
    return com::False;
}

void tellLocked(const std::string& fileName) {
    // A folder is never locked: the user is told what stands there.
    const std::string folder = win32::PathIsDirectoryA(fileName) ? "\r\nDort steht ein Ordner, keine Datei." : "";
    runtime::MsgBox("Abbruch!\n\nDatei gesperrt - Zugriff verweigert\r\n" + fileName + folder, runtime::vbOKOnly,
                    MessageTitle);
}

std::string WhyNoRoom(const std::string& folder) {
    // pdftk and the printer fill a file system up to the last block before
    // they fail; a page of a PDF takes a few kB.
    constexpr std::uint64_t Room = std::uint64_t{64} * 1024;
    std::uint64_t available = 0;
    if (win32::GetDiskFreeSpaceExA(folder, available) == 0 || available >= Room) return {};
    return "Im Ausgabeordner " + folder + " ist kein Platz mehr: Sein Datenträger ist voll.";
}

}  // namespace FileChecks
