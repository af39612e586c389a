#pragma once
// The Windows scalar types as the functions of this library use them.
#include <cstdint>

namespace win32 {

using BOOL = std::int32_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Last-error codes that the functions here set.
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_FILE_EXISTS = 80;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;

// The error code of the calling thread's last failing call.
DWORD GetLastError() noexcept;
void SetLastError(DWORD code) noexcept;

}  // namespace win32
