// Reading and writing settings text must agree. The input is
//   section LF key LF value LF file bytes
// (missing parts are empty), so that seeds stay readable settings files.
//
// For every input the reader and the writer must not crash. When section,
// key and value can be written and read back unchanged (see below), the
// written value must read back, and the new file must be the old one with
// exactly the change the writing rules allow: the key's line replaced, one
// line inserted into the section, or the section appended. A file in UTF-8
// stays UTF-8 when what is written is UTF-8, its byte order mark kept (or
// becomes ASCII alone, which both encodings read alike).
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/Require.h"
#include "platform/win32/Codepage.h"
#include "platform/win32/ProfileText.h"

namespace {

using win32::profile::Encoding;
using win32::profile::encodingOf;
using win32::profile::findValue;
using win32::profile::withValue;

constexpr auto npos = std::string_view::npos;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

bool isPadded(std::string_view text) {
    return !text.empty() && (isBlank(text.front()) || isBlank(text.back()));
}

bool holdsAny(std::string_view text, std::string_view characters) {
    return text.find_first_of(characters) != npos;
}

// The reader trims a value, takes one outer pair of equal quotes away and
// cuts it at NUL, and a line break would end the line: such values read back
// differently by design.
bool readsBackAsWritten(std::string_view value) {
    if (holdsAny(value, std::string_view("\r\n\0", 3)) || isPadded(value)) return false;
    const bool quotedPair =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.front() == value.back();
    return !quotedPair;
}

// A name that means itself on a line: "=" splits an entry, "]" ends a header,
// a leading ";" or "[" turns the line into a comment or a header.
bool isWritableName(std::string_view name) {
    return !name.empty() && !isPadded(name) && !holdsAny(name, std::string_view("=[];\r\n\0", 7));
}

struct Line {
    std::string_view text;
    std::string_view lineBreak;  // CRLF, LF, CR, or nothing on a last line
};

std::vector<Line> linesOf(std::string_view bytes) {
    std::vector<Line> lines;
    while (!bytes.empty()) {
        const auto end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        std::size_t breakLength = 0;
        if (end < bytes.size()) breakLength = bytes.substr(end, 2) == "\r\n" ? 2 : 1;
        lines.push_back({bytes.substr(0, end), bytes.substr(end, breakLength)});
        bytes.remove_prefix(end + breakLength);
    }
    return lines;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

enum class Kind { Other, Section, Entry };

Kind kindOf(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.front() == ';') return Kind::Other;
    if (text.front() == '[') return Kind::Section;
    return text.find('=') == npos ? Kind::Other : Kind::Entry;
}

// The section's or the key's name as the line spells it.
std::string_view nameOf(std::string_view text) {
    text = trimmed(text);
    if (text.front() == '[') {
        text.remove_prefix(1);
        return trimmed(text.substr(0, text.find(']')));
    }
    return trimmed(text.substr(0, text.find('=')));
}

// Whether names match is the reader's business (case rules of the code
// page); the model asks it with a one-entry file instead of copying them.
bool sameSection(std::string_view spelled, std::string_view section, Encoding encoding) {
    return findValue("[" + std::string(spelled) + "]\nk=v", section, "k", encoding).has_value();
}

bool sameKey(std::string_view spelled, std::string_view key, Encoding encoding) {
    return findValue("[s]\n" + std::string(spelled) + "=v", "s", key, encoding).has_value();
}

// What the writing rules make of the lines of a file without a byte order mark.
std::string expectedLines(std::string_view file, std::string_view section, std::string_view key, std::string_view value,
                          Encoding encoding) {
    const auto lines = linesOf(file);
    const auto entry = std::string(key) + "=" + std::string(value) + "\r\n";

    std::size_t header = 0;
    while (header < lines.size() &&
           !(kindOf(lines[header].text) == Kind::Section && sameSection(nameOf(lines[header].text), section, encoding)))
        ++header;
    if (header == lines.size()) {
        std::string out(file);
        if (!file.empty() && file.back() != '\n' && file.back() != '\r') out += "\r\n";
        return out + "[" + std::string(section) + "]\r\n" + entry;
    }

    std::size_t anchor = header;
    std::optional<std::size_t> existing;
    for (std::size_t i = header + 1; i < lines.size() && kindOf(lines[i].text) != Kind::Section; ++i) {
        if (kindOf(lines[i].text) != Kind::Entry) continue;
        if (sameKey(nameOf(lines[i].text), key, encoding)) {
            existing = i;
            break;
        }
        anchor = i;
    }

    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (existing == i) {
            out.append(nameOf(lines[i].text)).append("=").append(value).append(lines[i].lineBreak);
            continue;
        }
        out.append(lines[i].text).append(lines[i].lineBreak);
        if (!existing && i == anchor) {
            if (lines[i].lineBreak.empty()) out += "\r\n";
            out += entry;
        }
    }
    return out;
}

// What the writing rules make of the file, worked out line by line.
std::string expectedFile(std::string_view file, std::string_view section, std::string_view key, std::string_view value,
                         Encoding encoding) {
    const std::string_view mark = "\xEF\xBB\xBF";
    if (encoding != Encoding::Utf8WithBom) return expectedLines(file, section, key, value, encoding);
    file.remove_prefix(mark.size());
    return std::string(mark) + expectedLines(file, section, key, value, encoding);
}

// Where the text is a plain decimal number, the integer reading is that
// number modulo 2^32.
void checkParseInt(std::string_view value) {
    const auto number = win32::profile::parseInt(value);
    auto digits = value;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != npos) return;
    // from_chars takes a "-" but no "+".
    const auto text = value.front() == '+' ? digits : value;
    long long exact = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), exact);
    if (status == std::errc() && end == text.data() + text.size())
        fuzz::require(number == static_cast<std::uint32_t>(static_cast<unsigned long long>(exact)),
                      "parseInt differs from the decimal number");
}

// Takes the text up to the next LF off the front of `rest`.
std::string_view takeLine(std::string_view& rest) {
    const auto end = std::min(rest.find('\n'), rest.size());
    const auto line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::bytesOf(data, size);
    auto file = input;
    const auto section = takeLine(file);
    const auto key = takeLine(file);
    const auto value = takeLine(file);

    // Any bytes at all, read as a file.
    if (auto found = findValue(input, section, key, encodingOf(input))) checkParseInt(*found);
    const Encoding encoding = encodingOf(file);
    const auto stored = findValue(file, section, key, encoding);
    if (stored) checkParseInt(*stored);
    checkParseInt(value);

    const auto written = withValue(file, section, key, value, encoding);
    if (!isWritableName(section) || !isWritableName(key) || !readsBackAsWritten(value)) return 0;
    fuzz::require(findValue(written, section, key, encoding) == std::string(value),
                  "the written value does not read back");
    fuzz::require(written == expectedFile(file, section, key, value, encoding),
                  "the write changed more than the key's line");
    if (encoding != Encoding::Windows1252 && win32::isUtf8(section) && win32::isUtf8(key) && win32::isUtf8(value))
        fuzz::require(encodingOf(written) == encoding || std::ranges::all_of(written, [](char c) { return c >= 0; }),
                      "a write of UTF-8 changed the file's encoding");
    return 0;
}
