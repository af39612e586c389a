#pragma once
// Window order on the screen.
#include <cstdint>

#include "platform/com/Boolean.h"

// Puts a window above all others (or back among them), keeping its position
// and size. A handle that is no window is ignored.
void SetTopMost(std::int32_t hWnd, com::Boolean topMost);
