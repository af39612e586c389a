#include "platform/office/render/OfficeProfile.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace office {

namespace {

// More hosts than this on one machine at once are not expected.
constexpr int kProfiles = 64;

// Why nothing can be written in the folder `profile` (made when missing),
// in German; empty when something can. The office keeps its temporary
// files there and cannot print without them.
std::string whyUnwritable(const std::filesystem::path& profile) {
    std::error_code error;
    if (!std::filesystem::exists(profile, error)) {
        std::filesystem::create_directory(profile, error);
    } else if (std::filesystem::is_directory(profile, error)) {
        const std::filesystem::path probe = profile / ".schreibprobe";
        std::filesystem::create_directory(probe, error);
        std::error_code ignored;
        if (!error) std::filesystem::remove(probe, ignored);
    }
    if (!error) return {};
    switch (error.value()) {
        case EPERM: return "Der Ordner ist unveränderlich (chattr +i).";
        case EROFS: return "Der Ordner liegt auf einem nur lesbar eingehängten Dateisystem.";
        case EACCES: return "Der Benutzer darf in dem Ordner nichts anlegen.";
        case ENOSPC: return "Auf seinem Datenträger ist kein Platz mehr.";
        default: return "Im Ordner lässt sich nichts anlegen (Fehler " + std::to_string(error.value()) + ").";
    }
}

}  // namespace

OfficeProfile::OfficeProfile(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw std::runtime_error("Der Ordner \"" + folder.string() +
                                 "\" der Office-Profile lässt sich nicht anlegen: " + error.message() + ".");
    std::string unwritable;
    for (int n = 1; n <= kProfiles; ++n) {
        const std::filesystem::path profile = folder / std::to_string(n);
        const std::filesystem::path lockFile = profile.string() + ".lock";
        // Anything but a file in the lock's place (a folder) is in the way;
        // no process can hold it.
        if (std::filesystem::exists(lockFile, error) && !std::filesystem::is_regular_file(lockFile, error))
            std::filesystem::remove_all(lockFile, error);
        win32::FileDescriptor lock(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
        if (!lock.valid())
            throw std::runtime_error("Die Sperrdatei \"" + lockFile.string() +
                                     "\" des Office-Profils lässt sich nicht öffnen: " + std::strerror(errno) + ".");
        if (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) continue;
        // A profile that refuses new files (made unchangeable, mounted read
        // only, another user's) is left as it is, and the next one is taken.
        if (const std::string why = whyUnwritable(profile); !why.empty()) {
            if (unwritable.empty())
                unwritable = "Das Office-Profil \"" + profile.string() + "\" lässt sich nicht beschreiben: " + why;
            continue;
        }
        lock_ = std::move(lock);
        path_ = profile;
        // A profile that is no folder is set up anew at once. The office's
        // own lock in a profile that nobody holds was left by an office that
        // was killed; it would only hold up the next start.
        if (std::filesystem::exists(profile, error) && !std::filesystem::is_directory(profile, error)) setUpAnew();
        std::filesystem::remove_all(profile / ".lock", error);
        return;
    }
    if (!unwritable.empty()) throw std::runtime_error(unwritable);
    throw std::runtime_error("Alle Office-Profile in \"" + folder.string() + "\" sind belegt.");
}

void OfficeProfile::setUpAnew() const {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
    if (!error) std::filesystem::create_directory(path_, error);
    if (error)
        throw std::runtime_error("Das Office-Profil \"" + path_.string() +
                                 "\" lässt sich nicht neu anlegen: " + error.message() + ".");
}

}  // namespace office
