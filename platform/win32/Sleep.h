#pragma once
#include "platform/win32/Types.h"

namespace win32 {

// Suspends the calling thread; no window events are handled meanwhile.
void Sleep(DWORD milliseconds) noexcept;

}  // namespace win32
