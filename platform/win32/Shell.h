#pragma once
// Opening a file with the program the desktop associates with it.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32/Windows.h"

namespace win32 {

inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr std::intptr_t SE_ERR_FNF = 2;
inline constexpr std::intptr_t SE_ERR_PNF = 3;
inline constexpr std::intptr_t SE_ERR_ACCESSDENIED = 5;
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;

// How this machine opens a file (the host path) for the user: the desktop's
// viewer, or whatever the running windows backend does instead. True when the
// request was handed over.
using OpenHandler = std::function<bool(const std::string& hostPath)>;
// Installed by the runtime when a windows backend is set; without one, the
// desktop's "xdg-open" is started when there is a display, else nothing opens.
void setOpenHandler(OpenHandler handler);

// The verb "Open" (or empty) opens `file`: a result above 32 means success;
// SE_ERR_FNF for a missing file, SE_ERR_PNF for a missing folder, and
// SE_ERR_NOASSOC when nothing can open it. Other verbs give SE_ERR_NOASSOC.
std::intptr_t ShellExecuteA(HWND owner, const std::string& operation, const std::string& file,
                            const std::string& parameters, const std::string& directory, int showCommand) noexcept;

}  // namespace win32
