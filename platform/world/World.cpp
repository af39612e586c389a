#include "platform/world/World.h"

#include <cstdlib>
#include <stdexcept>

namespace world {

std::filesystem::path folderFor(const std::function<const char*(const char* name)>& variable) {
    if (const char* explicitWorld = variable("KALMORA_WORLD"); explicitWorld && *explicitWorld) return explicitWorld;
    if (const char* data = variable("XDG_DATA_HOME"); data && *data)
        return std::filesystem::path(data) / "kalmora-world";
    if (const char* home = variable("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "kalmora-world";
    throw std::runtime_error("no world: set KALMORA_WORLD or HOME");
}

std::filesystem::path folder() {
    std::filesystem::path path = folderFor([](const char* name) { return std::getenv(name); });
    std::filesystem::create_directories(path);
    return path;
}

std::filesystem::path subfolder(const std::filesystem::path& relative) {
    std::filesystem::path path = folder() / relative;
    std::filesystem::create_directories(path);
    return path;
}

}  // namespace world
