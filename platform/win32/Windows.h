#pragma once
// Window handles and window placement. Backends that show windows register
// them here, so that a handle reaches the real window.
#include <cstdint>

#include "platform/win32/Types.h"

namespace win32 {

using HWND = std::int32_t;

inline constexpr HWND HWND_TOPMOST = -1;
inline constexpr HWND HWND_NOTOPMOST = -2;
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;

// A shown window as the window manager sees it.
class Window {
public:
    virtual void setTopMost(bool topMost) = 0;

protected:
    ~Window() = default;
};

// A fresh handle for the window; it stays valid until unregistered.
HWND registerWindow(Window& window);
void unregisterWindow(HWND handle) noexcept;

// Only the z-order part is carried out: HWND_TOPMOST or HWND_NOTOPMOST. An
// unknown handle gives FALSE with ERROR_INVALID_WINDOW_HANDLE.
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags) noexcept;

}  // namespace win32
