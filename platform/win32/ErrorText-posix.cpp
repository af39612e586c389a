#include "platform/win32/ErrorText.h"

#include <cerrno>

namespace win32 {

std::string errorText(const std::error_code& error) {
    if (error.category() == std::generic_category() || error.category() == std::system_category()) {
        switch (error.value()) {
            case ENOSPC: return "Auf dem Datenträger ist nicht genügend Speicherplatz verfügbar.";
            case EDQUOT: return "Das Speicherkontingent auf dem Datenträger ist erschöpft.";
            case EACCES:
            case EPERM: return "Zugriff verweigert.";
            case EROFS: return "Der Datenträger ist schreibgeschützt.";
            case ENOENT: return "Das System kann den angegebenen Pfad nicht finden.";
            case ENOTDIR: return "Ein Teil des Pfades ist kein Ordner.";
            case EISDIR: return "An dieser Stelle liegt ein Ordner.";
            case ENAMETOOLONG: return "Der Dateiname oder der Pfad ist zu lang.";
            case EIO: return "E/A-Gerätefehler.";
            default: break;
        }
    }
    return "Systemfehler " + std::to_string(error.value()) + " (" + error.message() + ").";
}

}  // namespace win32
