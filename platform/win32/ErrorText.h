#pragma once
// The German text of a system error, as Windows' message table gives it for
// a failed file operation, for the cause under a message.
#include <string>
#include <system_error>

namespace win32 {

std::string errorText(const std::error_code& error);

}  // namespace win32
