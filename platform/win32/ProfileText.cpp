#include "ProfileText.h"

#include <algorithm>

#include "Codepage.h"

namespace win32::profile {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The mark in front of the file's lines: none unless the file is UTF-8 with one.
std::size_t markLength(std::string_view bytes, Encoding encoding) {
    return encoding == Encoding::Utf8WithBom && bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

// One line of the file as offsets into its bytes.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;   // one past the last byte before the line break
    std::size_t next = 0;  // one past the line break; equals `end` on a last line without one
};

Line lineAt(std::string_view bytes, std::size_t begin) {
    Line line{begin, bytes.find_first_of("\r\n", begin), 0};
    if (line.end == std::string_view::npos) {
        line.end = line.next = bytes.size();
    } else if (bytes[line.end] == '\r' && line.end + 1 < bytes.size() && bytes[line.end + 1] == '\n') {
        line.next = line.end + 2;
    } else {
        line.next = line.end + 1;
    }
    return line;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Lower case of the ASCII and the Windows-1252 letters, so that "Ä" finds "ä"
// as the system's comparison does.
unsigned char folded(char c) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
        return static_cast<unsigned char>(byte + 0x20);
    switch (byte) {
        case 0x8A:  // Š
        case 0x8C:  // Œ
        case 0x8E:  // Ž
            return static_cast<unsigned char>(byte + 0x10);
        case 0x9F:  // Ÿ
            return 0xFF;
        default: return byte;
    }
}

bool sameAnsiName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return folded(x) == folded(y); });
}

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A UTF-8 name with the letters of Windows-1252 in lower case, so that a
// UTF-8 file matches its names as a Windows-1252 file does ("FIRMENKÜRZEL"
// finds "Firmenkürzel"); other characters stay as they are.
std::string foldedUtf8(std::string_view name) {
    std::string result;
    result.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        std::size_t end = at + 1;
        while (end < name.size() && isContinuation(name[end])) ++end;
        const std::string_view character = name.substr(at, end - at);
        if (static_cast<unsigned char>(character.front()) < 0x80)
            result.push_back(static_cast<char>(folded(character.front())));
        else if (fitsAnsi(character))
            result.append(ansiToUtf8(std::string(1, static_cast<char>(folded(utf8ToAnsi(character).front())))));
        else
            result.append(character);
        at = end;
    }
    return result;
}

bool sameName(std::string_view a, std::string_view b, Encoding encoding) {
    if (encoding == Encoding::Windows1252) return sameAnsiName(a, b);
    return foldedUtf8(a) == foldedUtf8(b);
}

enum class LineKind { Other, Section, Entry };

struct Parsed {
    LineKind kind = LineKind::Other;
    std::string_view name;   // the section's or the key's name
    std::string_view value;  // the entry's trimmed value
};

Parsed parse(std::string_view text) {
    text = trim(text);
    if (text.empty() || text.front() == ';') return {};
    if (text.front() == '[') {
        auto name = text.substr(1);
        return {LineKind::Section, trim(name.substr(0, name.find(']'))), {}};
    }
    auto equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    return {LineKind::Entry, trim(text.substr(0, equals)), trim(text.substr(equals + 1))};
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.front() == value.back())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

Encoding encodingOf(std::string_view fileBytes) {
    if (fileBytes.starts_with(kByteOrderMark)) return Encoding::Utf8WithBom;
    const bool onlyAscii = std::ranges::all_of(fileBytes, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return !onlyAscii && isUtf8(fileBytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

std::string toFileText(std::string_view utf8, Encoding encoding) {
    return encoding == Encoding::Windows1252 ? utf8ToAnsi(utf8) : std::string(utf8);
}

std::string fromFileText(std::string_view fileText, Encoding encoding) {
    return encoding == Encoding::Windows1252 ? ansiToUtf8(fileText) : std::string(fileText);
}

bool holds(Encoding encoding, std::string_view utf8) {
    return encoding != Encoding::Windows1252 || fitsAnsi(utf8);
}

std::optional<std::string> findValue(std::string_view fileBytes, std::string_view section, std::string_view key,
                                     Encoding encoding) {
    fileBytes.remove_prefix(markLength(fileBytes, encoding));
    bool inSection = false;
    for (std::size_t at = 0; at < fileBytes.size();) {
        auto line = lineAt(fileBytes, at);
        at = line.next;
        auto parsed = parse(fileBytes.substr(line.begin, line.end - line.begin));
        if (parsed.kind == LineKind::Section) {
            // Only the first section of the name is searched.
            if (inSection) return {};
            inSection = sameName(parsed.name, section, encoding);
        } else if (parsed.kind == LineKind::Entry && inSection && sameName(parsed.name, key, encoding)) {
            auto value = unquoted(parsed.value);
            return std::string(value.substr(0, value.find('\0')));
        }
    }
    return {};
}

std::vector<std::string> sectionNames(std::string_view fileBytes, Encoding encoding) {
    fileBytes.remove_prefix(markLength(fileBytes, encoding));
    std::vector<std::string> names;
    for (std::size_t at = 0; at < fileBytes.size();) {
        auto line = lineAt(fileBytes, at);
        at = line.next;
        auto parsed = parse(fileBytes.substr(line.begin, line.end - line.begin));
        if (parsed.kind == LineKind::Section) names.emplace_back(parsed.name);
    }
    return names;
}

namespace {

// The bytes after setting the key, in a file without a byte order mark.
std::string withValueInLines(std::string_view fileBytes, std::string_view section, std::string_view key,
                             std::string_view value, Encoding encoding) {
    std::string result;
    std::optional<Line> header;
    std::optional<Line> lastEntry;
    for (std::size_t at = 0; at < fileBytes.size();) {
        auto line = lineAt(fileBytes, at);
        at = line.next;
        auto parsed = parse(fileBytes.substr(line.begin, line.end - line.begin));
        if (parsed.kind == LineKind::Section) {
            if (header) break;
            if (sameName(parsed.name, section, encoding)) header = line;
        } else if (parsed.kind == LineKind::Entry && header) {
            if (sameName(parsed.name, key, encoding)) {
                result.append(fileBytes.substr(0, line.begin));
                result.append(parsed.name).append("=").append(value);
                result.append(fileBytes.substr(line.end));
                return result;
            }
            lastEntry = line;
        }
    }

    std::string entry = std::string(key).append("=").append(value).append("\r\n");
    if (!header) {
        result.append(fileBytes);
        if (!fileBytes.empty() && fileBytes.back() != '\n' && fileBytes.back() != '\r') result.append("\r\n");
        return result.append("[").append(section).append("]\r\n").append(entry);
    }
    auto anchor = lastEntry ? *lastEntry : *header;
    result.append(fileBytes.substr(0, anchor.next));
    // The anchor is the file's last line and has no line break of its own.
    if (anchor.next == anchor.end) result.append("\r\n");
    return result.append(entry).append(fileBytes.substr(anchor.next));
}

}  // namespace

std::string withValue(std::string_view fileBytes, std::string_view section, std::string_view key,
                      std::string_view value, Encoding encoding) {
    const std::size_t mark = markLength(fileBytes, encoding);
    return std::string(fileBytes.substr(0, mark))
        .append(withValueInLines(fileBytes.substr(mark), section, key, value, encoding));
}

std::uint32_t parseInt(std::string_view value) {
    bool negative = false;
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    std::uint32_t number = 0;
    for (char c : value) {
        if (c < '0' || c > '9') break;
        number = number * 10u + static_cast<std::uint32_t>(c - '0');
    }
    return negative ? 0u - number : number;
}

}  // namespace win32::profile
