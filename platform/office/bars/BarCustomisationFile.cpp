#include "platform/office/bars/BarCustomisationFile.h"

#include "platform/win32/AtomicFile.h"
#include "platform/win32/EscapedText.h"

#include <array>
#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace office {

namespace {

constexpr std::string_view FirstLine = "kalmora command bars 1";

// Fields are separated by tabs and lines by line feeds; both may occur in a
// caption or an action, so they travel escaped.
constexpr std::array<win32::Escape, 4> FieldEscapes{{
    {'\\', "\\\\"},
    {'\t', "\\t"},
    {'\n', "\\n"},
    {'\r', "\\r"},
}};

std::string escaped(std::string_view text) {
    return win32::escaped(text, {.escapes = FieldEscapes});
}

std::optional<std::string> unescaped(std::string_view text) {
    return win32::unescaped(text, {.escapes = FieldEscapes}, win32::UnknownEscapes::Fail);
}

constexpr std::array<std::pair<runtime::PictureFormat, std::string_view>, 4> FormatNames{{
    {runtime::PictureFormat::None, "none"},
    {runtime::PictureFormat::Bitmap, "bitmap"},
    {runtime::PictureFormat::Jpeg, "jpeg"},
    {runtime::PictureFormat::Icon, "icon"},
}};

std::string_view formatName(runtime::PictureFormat format) {
    for (const auto& [known, name] : FormatNames) {
        if (known == format) return name;
    }
    return "none";
}

std::optional<runtime::PictureFormat> formatNamed(std::string_view name) {
    for (const auto& [format, known] : FormatNames) {
        if (known == name) return format;
    }
    return std::nullopt;
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        out += Digits[byte >> 4];
        out += Digits[byte & 0xF];
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> bytesOf(std::string_view digits) {
    if (digits.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes(digits.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char* first = digits.data() + 2 * i;
        const auto [end, error] = std::from_chars(first, first + 2, bytes[i], 16);
        if (error != std::errc() || end != first + 2) return std::nullopt;
    }
    return bytes;
}

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) return out;
        start = tab + 1;
    }
}

// caption, style, action, visible, face format, width, height, face bytes
std::optional<BarControl::Properties> control(const std::vector<std::string_view>& f) {
    if (f.size() != 9) return std::nullopt;
    auto caption = unescaped(f[1]);
    const auto style = number(f[2]);
    auto action = unescaped(f[3]);
    const auto visible = number(f[4]);
    const auto format = formatNamed(f[5]);
    const auto width = number(f[6]);
    const auto height = number(f[7]);
    auto data = bytesOf(f[8]);
    if (!caption || !style || !action || !visible || !format || !width || !height || !data) return std::nullopt;
    return BarControl::Properties{
        .caption = std::move(*caption),
        .style = *style,
        .onAction = std::move(*action),
        .visible = *visible != 0,
        .face = {.format = *format, .width = *width, .height = *height, .data = std::move(*data)},
    };
}

}  // namespace

std::string formatCustomisations(const std::vector<SavedBar>& bars) {
    std::ostringstream out;
    out << FirstLine << '\n';
    for (const SavedBar& bar : bars) {
        out << "bar\t" << escaped(bar.name) << '\n';
        for (const BarControl::Properties& c : bar.controls) {
            out << "button\t" << escaped(c.caption) << '\t' << c.style << '\t' << escaped(c.onAction) << '\t'
                << (c.visible ? -1 : 0) << '\t' << formatName(c.face.format) << '\t' << c.face.width << '\t'
                << c.face.height << '\t' << hex(c.face.data) << '\n';
        }
    }
    return out.str();
}

std::vector<SavedBar> parseCustomisations(std::string_view text) {
    std::vector<SavedBar> bars;
    std::size_t lineNumber = 0;
    bool headerSeen = false;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const auto bad = [&] {
            return std::runtime_error("command bar customisations, line " + std::to_string(lineNumber) +
                                      ": not understood");
        };
        if (!headerSeen) {
            if (line != FirstLine) throw bad();
            headerSeen = true;
            continue;
        }
        const std::vector<std::string_view> f = fields(line);
        if (f[0] == "bar" && f.size() == 2) {
            auto name = unescaped(f[1]);
            if (!name) throw bad();
            bars.push_back({std::move(*name)});
        } else if (f[0] == "button" && !bars.empty()) {
            auto properties = control(f);
            if (!properties) throw bad();
            bars.back().controls.push_back(std::move(*properties));
        } else {
            throw bad();
        }
    }
    if (!headerSeen) throw std::runtime_error("command bar customisations: empty file");
    return bars;
}

void writeCustomisations(const std::filesystem::path& file, const std::vector<SavedBar>& bars) {
    win32::writeFileAtomically(file, formatCustomisations(bars));
}

std::optional<std::vector<SavedBar>> readCustomisations(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (!std::filesystem::exists(file)) return std::nullopt;
        throw std::runtime_error("cannot read " + file.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        return parseCustomisations(text.str());
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(file.string() + ": " + e.what());
    }
}

}  // namespace office
