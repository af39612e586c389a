#pragma once
// The add-in project's own data: its title, its version and the folder it
// was loaded from, as the runtime reports them to the project's code. The
// version is the build's (KALMORA_VERSION_*, from the CMake project).

namespace Project {

inline constexpr const char* Title = "PDF_Kalmora";

// Sets the runtime's App data for this project. The folder is the one this
// library was loaded from, unless the host has already named one.
void start();

}  // namespace Project
