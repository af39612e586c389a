#include "platform/win32/Sleep.h"

#include <chrono>
#include <thread>

namespace win32 {

void Sleep(DWORD milliseconds) noexcept {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace win32
