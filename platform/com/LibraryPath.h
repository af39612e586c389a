#pragma once
// Where code or data of this process came from (internal to kalmora_com).
#include <string>

namespace com {

// The absolute path of the shared library (or program) that holds `address`.
// Throws std::runtime_error when the address belongs to no loaded file.
std::string libraryPath(const void* address);

}  // namespace com
