#include "platform/world/World.h"

#include <cstdlib>
#include <stdexcept>

namespace world {

namespace {

std::filesystem::path chosen() {
    if (const char* explicitWorld = std::getenv("KALMORA_WORLD"); explicitWorld && *explicitWorld)
        return explicitWorld;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::filesystem::path(data) / "kalmora-world";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "kalmora-world";
    throw std::runtime_error("no world: set KALMORA_WORLD or HOME");
}

}  // namespace

std::filesystem::path folder() {
    std::filesystem::path path = chosen();
    std::filesystem::create_directories(path);
    return path;
}

std::filesystem::path subfolder(const std::filesystem::path& relative) {
    std::filesystem::path path = folder() / relative;
    std::filesystem::create_directories(path);
    return path;
}

}  // namespace world
