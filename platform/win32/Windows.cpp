#include "platform/win32/Windows.h"

#include <map>
#include <mutex>

namespace win32 {

namespace {

struct Table {
    std::mutex lock;
    std::map<HWND, Window*> windows;
    HWND next = 0x10010;
};

Table& table() {
    static Table windows;
    return windows;
}

}  // namespace

HWND registerWindow(Window& window) {
    Table& t = table();
    std::lock_guard guard(t.lock);
    const HWND handle = t.next;
    t.next += 4;  // handles are multiples of four, as the window manager hands them out
    t.windows[handle] = &window;
    return handle;
}

void unregisterWindow(HWND handle) noexcept {
    Table& t = table();
    std::lock_guard guard(t.lock);
    t.windows.erase(handle);
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int, int, int, int, UINT) noexcept {
    Window* window = nullptr;
    {
        Table& t = table();
        std::lock_guard guard(t.lock);
        const auto it = t.windows.find(hWnd);
        if (it != t.windows.end()) window = it->second;
    }
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (hWndInsertAfter == HWND_TOPMOST || hWndInsertAfter == HWND_NOTOPMOST) {
        try {
            window->setTopMost(hWndInsertAfter == HWND_TOPMOST);
        } catch (...) {
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace win32
