#pragma once
// The pdftk that pdftk.exe runs: KALMORA_PDFTK when set (tests put other
// programs there), else the system's, from the Debian package "pdftk".
#include <cstdlib>
#include <string>

namespace pdftk {

inline constexpr const char* kSystemProgram = "/usr/bin/pdftk";
inline constexpr const char* kDebianPackage = "pdftk";

inline std::string program() {
    const char* configured = std::getenv("KALMORA_PDFTK");
    return configured != nullptr && *configured != '\0' ? configured : kSystemProgram;
}

}  // namespace pdftk
