#pragma once
// The add-in project's own data: its title, its version and the folder it
// was loaded from, as the runtime reports them to the project's code. The
// version is the build's (KALMORA_VERSION_*, from the CMake project).
#include <string>

namespace Project {

inline constexpr const char* Title = "PDF_Kalmora";

// Sets the runtime's App data for this project. The folder is the one this
// library was loaded from, unless the host has already named one.
void start();

// The folder that holds this library's own file, links resolved: where an
// installation keeps it when the add-in folder only links to it. Known only
// while the runtime's App folder is the one the library was loaded from;
// empty when the host named another folder or it cannot be told.
std::string ownFileFolder();

}  // namespace Project
