#include "src/util/SetTopMost.h"

#include "platform/win32/Windows.h"

void SetTopMost(std::int32_t hWnd, com::Boolean topMost) {
    // Only the z-order changes. The result is not needed.
    const win32::HWND insertAfter = com::isTrue(topMost) ? win32::HWND_TOPMOST : win32::HWND_NOTOPMOST;
    win32::SetWindowPos(hWnd, insertAfter, 0, 0, 0, 0, win32::SWP_NOMOVE | win32::SWP_NOSIZE);
}
