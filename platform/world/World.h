#pragma once
// The world: the one folder that holds all stand-in machine state (the class
// registry, the hosts' add-in lists and command bars, the printers and the
// default printer, the PDF printer's spool). Tests make a world of their own.
#include <filesystem>
#include <functional>

namespace world {

// $KALMORA_WORLD, else $XDG_DATA_HOME/kalmora-world, else
// ~/.local/share/kalmora-world. Created when missing.
std::filesystem::path folder();

// The world of a process whose environment `variable` reads (null for a
// variable that is not set), by the same rule; not created. Throws
// std::runtime_error when there is none.
std::filesystem::path folderFor(const std::function<const char*(const char* name)>& variable);

// A folder inside the world, created when missing.
std::filesystem::path subfolder(const std::filesystem::path& relative);

}  // namespace world
