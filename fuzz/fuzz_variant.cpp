// Every conversion of every kind of value must either give a result or raise
// the runtime's error (13 type mismatch, 6 overflow); nothing else, and no
// undefined behaviour on the way (NaN, infinities, huge exponents). The
// input is a type byte and the value's bytes.
//
// Texts the conversions produce must read back: the decimal text of an
// Integer or a Long gives the same number, the text of a Double the same
// Double, the text of a Boolean the same truth value.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz/Require.h"
#include "platform/com/Error.h"
#include "platform/com/Variant.h"

namespace {

using com::Variant;
using com::VariantType;

// The value's bytes as a T; missing bytes are zero.
template <typename T>
T valueOf(std::string_view bytes) {
    unsigned char raw[sizeof(T)] = {};
    std::memcpy(raw, bytes.data(), std::min(bytes.size(), sizeof raw));
    T value;
    std::memcpy(&value, raw, sizeof value);
    return value;
}

Variant variantOf(std::uint8_t type, std::string_view bytes) {
    switch (type % 7) {
        case 0: return {};
        case 1:
            // Any 16-bit value: a Boolean from outside need not be -1 or 0.
            return Variant(static_cast<com::Boolean>(valueOf<std::int16_t>(bytes)));
        case 2: return Variant(valueOf<std::int16_t>(bytes));
        case 3: return Variant(valueOf<std::int32_t>(bytes));
        case 4: return Variant(valueOf<double>(bytes));
        case 5: return Variant(std::string(bytes));
        default: return Variant(com::Array{Variant(std::string(bytes)), Variant()});
    }
}

bool isConversionError(const com::Error& error) {
    return error.number() == com::errors::TypeMismatch || error.number() == com::errors::Overflow;
}

// Runs one conversion; a raised error must be one a conversion may raise.
template <typename Convert>
void convert(Convert conversion) {
    try {
        (void)conversion();
    } catch (const com::Error& error) {
        fuzz::require(isConversionError(error), "a conversion raised an unexpected error");
    }
}

void checkRoundTrips(const Variant& value) {
    switch (value.type()) {
        case VariantType::vbInteger:
        case VariantType::vbLong: {
            const auto number = value.toLong();
            fuzz::require(Variant(value.toString()).toLong() == number, "the decimal text reads back different");
            const bool fitsInteger = number >= std::numeric_limits<std::int16_t>::min() &&
                                     number <= std::numeric_limits<std::int16_t>::max();
            if (fitsInteger) {
                fuzz::require(value.toInteger() == number, "toInteger changed a number that fits");
            } else {
                try {
                    (void)value.toInteger();
                    fuzz::require(false, "toInteger took a number beyond Integer");
                } catch (const com::Error& error) {
                    fuzz::require(error.number() == com::errors::Overflow, "beyond Integer must be an overflow");
                }
            }
            break;
        }
        case VariantType::vbDouble: {
            const double number = value.toDouble();
            if (std::isfinite(number))
                fuzz::require(Variant(value.toString()).toDouble() == number,
                              "the text of a Double reads back different");
            break;
        }
        case VariantType::vbBoolean:
            fuzz::require(com::isTrue(Variant(value.toString()).toBoolean()) == com::isTrue(value.toBoolean()),
                          "the text of a Boolean reads back different");
            break;
        default: break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto value = variantOf(data[0], fuzz::bytesOf(data + 1, size - 1));
    convert([&] { return value.toString(); });
    convert([&] { return value.toLong(); });
    convert([&] { return value.toInteger(); });
    convert([&] { return value.toDouble(); });
    convert([&] { return value.toBoolean(); });
    checkRoundTrips(value);
    return 0;
}
