#pragma once
// A profile folder of the headless office that only this process uses. Two
// offices on one profile get in each other's way (the second hands its work
// to the first, or both write the profile at once), so each host locks a
// profile of its own for as long as it runs. Profiles are kept in the world
// and used again, which spares later hosts the office's first-start set-up;
// one that is damaged (an office killed while it wrote, a file where a
// folder belongs) is set up anew.
#include <filesystem>

#include "platform/win32/FileDescriptor.h"

namespace office {

class OfficeProfile {
public:
    // Locks the first profile under `folder` that no other process holds:
    // `folder`/1, 2, ... Throws std::runtime_error, in German naming the
    // folder, when none can be locked.
    explicit OfficeProfile(const std::filesystem::path& folder);

    const std::filesystem::path& path() const noexcept { return path_; }

    // Empties the profile, for the office to set it up anew. Throws
    // std::runtime_error naming the folder when it cannot be emptied.
    void setUpAnew() const;

private:
    win32::FileDescriptor lock_;
    std::filesystem::path path_;
};

}  // namespace office
