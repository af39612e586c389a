#pragma once
// The add-in project's own data: its title, its version and the folder it
// was loaded from, as the runtime reports them to the project's code.

namespace Project {

inline constexpr const char* Title = "PDF_Kalmora";
inline constexpr int Major = 1;
inline constexpr int Minor = 1;
inline constexpr int Revision = 8;

// Sets the runtime's App data for this project. The folder is the one this
// library was loaded from, unless the host has already named one.
void start();

}  // namespace Project
