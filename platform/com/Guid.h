#pragma once
// A 128-bit interface or class identifier, written {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace com {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    // Parses "{...}" (braces required, hex digits of either case).
    static std::optional<Guid> parse(std::string_view text);
    // Upper-case hex in braces, as the registry shows it.
    std::string toString() const;

    friend bool operator==(const Guid&, const Guid&) = default;
};

}  // namespace com
