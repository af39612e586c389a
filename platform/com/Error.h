#pragma once
// A raised error of the language runtime: a number and a German description.
// Inside the project errors travel as exceptions of this type; at every C
// boundary and every callback from a host they are caught and turned into a
// status (see Dispatch.h).
#include <cstdint>
#include <stdexcept>
#include <string>

namespace com {

class Error : public std::runtime_error {
public:
    Error(std::int32_t number, std::string description);

    // The runtime's own error with its German text, e.g. 438.
    static Error fromNumber(std::int32_t number);

    std::int32_t number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }

private:
    std::int32_t number_;
    std::string description_;
};

// The German text the runtime gives its own error numbers; a generic text
// ("Anwendungs- oder objektdefinierter Fehler") for numbers it does not know.
std::string runtimeErrorText(std::int32_t number);

// Error numbers the project raises or relies on.
namespace errors {
inline constexpr std::int32_t InvalidProcedureCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t FileNotFound = 53;
inline constexpr std::int32_t PermissionDenied = 70;
inline constexpr std::int32_t PathFileAccessError = 75;
inline constexpr std::int32_t PathNotFound = 76;
inline constexpr std::int32_t ObjectVariableNotSet = 91;
inline constexpr std::int32_t ObjectRequired = 424;
inline constexpr std::int32_t CannotCreateObject = 429;
inline constexpr std::int32_t FileOrClassNameNotFound = 432;
inline constexpr std::int32_t MemberNotSupported = 438;
// A server failed in a way that carries no number of its own.
inline constexpr std::int32_t AutomationError = 440;
inline constexpr std::int32_t ArgumentNotOptional = 449;
// The process of an out-of-process server is gone (0x800706BA).
inline constexpr std::int32_t ServerUnavailable = -2147023174;
}  // namespace errors

}  // namespace com
