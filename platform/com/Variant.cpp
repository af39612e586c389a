#include "platform/com/Variant.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "platform/com/Object.h"

namespace com {

namespace {

bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) noexcept {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// The power of ten of the first nonzero digit of `plain` (digits, optional
// "." and digits, optional "e" and exponent); only its sign matters.
long long decimalOrder(std::string_view plain) {
    const std::size_t e = plain.find('e');
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view exponentText = plain.substr(e + 1);
        const bool negative = exponentText.front() == '-';
        if (exponentText.front() == '+' || negative) exponentText.remove_prefix(1);
        const auto parsed = std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
        if (parsed.ec != std::errc()) exponent = std::numeric_limits<long long>::max() / 2;
        if (negative) exponent = -exponent;
        plain = plain.substr(0, e);
    }
    const std::size_t point = std::min(plain.find('.'), plain.size());
    const std::size_t first = plain.find_first_not_of("0.");
    if (first == std::string_view::npos) return std::numeric_limits<long long>::min();
    const long long position =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    return position + exponent;
}

// A number written the German way: optional sign, digits with "," as the
// decimal separator, optional exponent, blanks around it. Nothing when the
// text is no number. "." is the German thousands separator; the runtime's
// grouping rules are not copied, so a "." makes the text no number rather
// than a silently different one. A number beyond Double raises 6.
std::optional<double> parseGermanNumber(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Rebuild in the form from_chars reads: "." as separator, no sign.
    std::string plain;
    std::size_t i = 0;
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits) plain += text[i];
    if (i < text.size() && text[i] == ',') {
        plain += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digits) plain += text[i];
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        std::size_t exponentDigits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i, ++exponentDigits) plain += text[i];
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    double value = 0;
    const auto [end, status] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (status == std::errc::result_out_of_range) {
        // from_chars reports a number too small for Double the same way;
        // that one is zero, not an overflow.
        if (decimalOrder(plain) < 0) return 0.0;
        throw Error::fromNumber(errors::Overflow);
    }
    if (status != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return negative ? -value : value;
}

// The runtime shows a Double with "," as the decimal separator and switches to
// the E form for exponents below -4 or from 15 on, as its 15-digit text does.
// The digits are the shortest that read back to the same value.
std::string doubleText(double value) {
    if (std::isnan(value)) return "-1,#IND";
    if (std::isinf(value)) return value > 0 ? "1,#INF" : "-1,#INF";
    if (value == 0) return "0";

    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (char c : text.substr(0, ePos)) {
        if (isDigit(c)) digits += c;
    }
    int exponent = 0;
    std::string_view exponentText = text.substr(ePos + 1);
    if (exponentText.front() == '+') exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    std::string out = value < 0 ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits.front();
        if (digits.size() > 1) out += "," + digits.substr(1);
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
    } else if (exponent < 0) {
        out += "0," + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            out += digits + std::string(integerDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, integerDigits) + "," + digits.substr(integerDigits);
        }
    }
    return out;
}

// Rounds half to even, as the runtime's integer conversions do, and raises 6
// outside [low, high].
std::int32_t roundToRange(double value, std::int32_t low, std::int32_t high) {
    const double rounded = std::nearbyint(value);  // default rounding: ties to even
    if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high))) {
        throw Error::fromNumber(errors::Overflow);
    }
    return static_cast<std::int32_t>(rounded);
}

Variant defaultValueOf(const Variant& object) {
    return Object::from(object).value();
}

}  // namespace

Variant::Variant() noexcept : value_(EmptyTag{}) {}
Variant::Variant(Boolean value) noexcept : value_(value) {}
Variant::Variant(std::int16_t value) noexcept : value_(value) {}
Variant::Variant(std::int32_t value) noexcept : value_(value) {}
Variant::Variant(double value) noexcept : value_(value) {}
Variant::Variant(std::string value) noexcept : value_(std::move(value)) {}
Variant::Variant(const char* value) : value_(std::string(value ? value : "")) {}
Variant::Variant(Ref<IDispatch> object) noexcept : value_(std::move(object)) {}
Variant::Variant(Array values) : value_(std::move(values)) {}
Variant::Variant(const Variant&) = default;
Variant::Variant(Variant&&) noexcept = default;
Variant& Variant::operator=(const Variant&) = default;
Variant& Variant::operator=(Variant&&) noexcept = default;
Variant::~Variant() = default;

VariantType Variant::type() const noexcept {
    // The alternatives of value_ stand in the order of VariantType.
    return static_cast<VariantType>(value_.index());
}

std::string Variant::toString() const {
    switch (type()) {
        case VariantType::vbEmpty: return "";
        case VariantType::vbBoolean: return isTrue(std::get<Boolean>(value_)) ? "Wahr" : "Falsch";
        case VariantType::vbInteger: return std::to_string(std::get<std::int16_t>(value_));
        case VariantType::vbLong: return std::to_string(std::get<std::int32_t>(value_));
        case VariantType::vbDouble: return doubleText(std::get<double>(value_));
        case VariantType::vbString: return std::get<std::string>(value_);
        case VariantType::vbObject: return defaultValueOf(*this).toString();
        case VariantType::vbArray: break;
    }
    throw Error::fromNumber(errors::TypeMismatch);
}

double Variant::toDouble() const {
    switch (type()) {
        case VariantType::vbEmpty: return 0;
        case VariantType::vbBoolean: return com::toInteger(std::get<Boolean>(value_));
        case VariantType::vbInteger: return std::get<std::int16_t>(value_);
        case VariantType::vbLong: return std::get<std::int32_t>(value_);
        case VariantType::vbDouble: return std::get<double>(value_);
        case VariantType::vbString:
            if (auto number = parseGermanNumber(std::get<std::string>(value_))) return *number;
            break;
        case VariantType::vbObject: return defaultValueOf(*this).toDouble();
        case VariantType::vbArray: break;
    }
    throw Error::fromNumber(errors::TypeMismatch);
}

std::int32_t Variant::toLong() const {
    switch (type()) {
        case VariantType::vbInteger: return std::get<std::int16_t>(value_);
        case VariantType::vbLong: return std::get<std::int32_t>(value_);
        case VariantType::vbObject: return defaultValueOf(*this).toLong();
        default:
            // Empty, Boolean, Double and text go through their Double value,
            // which holds every Long exactly.
            return roundToRange(toDouble(), std::numeric_limits<std::int32_t>::min(),
                                std::numeric_limits<std::int32_t>::max());
    }
}

std::int16_t Variant::toInteger() const {
    if (type() == VariantType::vbObject) return defaultValueOf(*this).toInteger();
    const std::int32_t value = type() == VariantType::vbLong
                                   ? std::get<std::int32_t>(value_)
                                   : roundToRange(toDouble(), std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max());
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
        throw Error::fromNumber(errors::Overflow);
    }
    return static_cast<std::int16_t>(value);
}

Boolean Variant::toBoolean() const {
    switch (type()) {
        case VariantType::vbBoolean: return std::get<Boolean>(value_);
        case VariantType::vbString: {
            const std::string_view text = trimBlanks(std::get<std::string>(value_));
            // The German words and the English ones: a text written by
            // either language's runtime reads back.
            if (sameName(text, "Wahr") || sameName(text, "True")) return True;
            if (sameName(text, "Falsch") || sameName(text, "False")) return False;
            if (auto number = parseGermanNumber(text)) return com::toBoolean(*number != 0);
            throw Error::fromNumber(errors::TypeMismatch);
        }
        case VariantType::vbObject: return defaultValueOf(*this).toBoolean();
        default: return com::toBoolean(toDouble() != 0);
    }
}

Ref<IDispatch> Variant::toObject() const {
    if (const auto* object = std::get_if<Ref<IDispatch>>(&value_)) return *object;
    throw Error::fromNumber(errors::ObjectRequired);
}

const Array& Variant::toArray() const& {
    if (const auto* values = std::get_if<Array>(&value_)) return *values;
    throw Error::fromNumber(errors::TypeMismatch);
}

Array Variant::toArray() && {
    return static_cast<const Variant&>(*this).toArray();
}

bool operator==(const Variant& a, const Variant& b) {
    return a.value_ == b.value_;
}

}  // namespace com
