#include "platform/office/render/OfficeProfile.h"

#include <fcntl.h>
#include <sys/file.h>

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
        win32::FileDescriptor lock(::open((profile.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
        if (!lock.valid())
            throw std::runtime_error("Die Sperrdatei \"" + profile.string() +
                                     ".lock\" des Office-Profils lässt sich nicht öffnen.");
        if (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) continue;
        // The office's own lock in a profile that nobody holds was left by
        // an office that was killed; it would only hold up the next start.
        std::filesystem::remove(profile / ".lock");
        lock_ = std::move(lock);
        path_ = profile;
        return;
    }
    throw std::runtime_error("Alle Office-Profile in \"" + folder.string() + "\" sind belegt.");
}

}  // namespace office
