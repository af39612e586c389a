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

}  // namespace

OfficeProfile::OfficeProfile(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw std::runtime_error("Der Ordner \"" + folder.string() +
                                 "\" der Office-Profile lässt sich nicht anlegen: " + error.message() + ".");
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
        lock_ = std::move(lock);
        path_ = profile;
        // A profile that is no folder is set up anew at once. The office's
        // own lock in a profile that nobody holds was left by an office that
        // was killed; it would only hold up the next start.
        if (std::filesystem::exists(profile, error) && !std::filesystem::is_directory(profile, error)) setUpAnew();
        std::filesystem::remove_all(profile / ".lock", error);
        return;
    }
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
