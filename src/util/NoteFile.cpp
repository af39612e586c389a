#include "src/util/NoteFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/win32/AtomicFile.h"
#include "platform/win32/ErrorText.h"
#include "platform/win32/Files.h"

namespace fs = std::filesystem;

namespace NoteFile {

namespace {

// More than any note of ours holds: a run's journal names a few dozen files.
constexpr std::size_t LongestNote = 1 << 20;
constexpr std::size_t MostLines = 200;

constexpr const char* MachineKey = "Rechner";
constexpr const char* BootKey = "Systemstart";
constexpr const char* ProcessKey = "Prozess";
constexpr const char* StartedKey = "Prozessstart";

// The length of the UTF-8 character that starts at `at`; 0 when the bytes
// there are no UTF-8 character.
std::size_t utf8Length(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t n) { return static_cast<unsigned char>(bytes[at + n]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t n = 2; n < length; ++n)
        if ((byte(n) & 0xC0) != 0x80) return 0;
    return length;
}

bool mustEscape(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == '=' || byte == '%';
}

std::optional<std::uint64_t> number(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

std::string escaped(std::string_view bytes) {
    static constexpr std::array<char, 16> Hex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                 '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string text;
    const auto escape = [&](unsigned char byte) {
        text += '%';
        text += Hex[byte >> 4];
        text += Hex[byte & 0x0F];
    };
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            if (mustEscape(byte))
                escape(byte);
            else
                text += static_cast<char>(byte);
            ++at;
        } else if (const std::size_t length = utf8Length(bytes, at)) {
            text.append(bytes.substr(at, length));
            at += length;
        } else {
            escape(byte);
            ++at;
        }
    }
    return text;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string bytes;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte != '%') {
            if (mustEscape(byte)) return std::nullopt;
            bytes += static_cast<char>(byte);
            continue;
        }
        unsigned value = 0;
        if (text.size() - at < 3) return std::nullopt;
        const auto [end, error] = std::from_chars(text.data() + at + 1, text.data() + at + 3, value, 16);
        if (error != std::errc() || end != text.data() + at + 3) return std::nullopt;
        bytes += static_cast<char>(value);
        at += 2;
    }
    return bytes;
}

Note::Note(std::string kind) : kind_(std::move(kind)), owner_(win32::currentProcessIdentity()) {}

void Note::add(std::string key, std::string_view value) {
    lines_.emplace_back(std::move(key), std::string(value));
}

std::optional<std::string> Note::value(std::string_view key) const {
    const auto line = std::find_if(lines_.begin(), lines_.end(), [&](const auto& each) { return each.first == key; });
    if (line == lines_.end()) return std::nullopt;
    return line->second;
}

std::vector<std::string> Note::values(std::string_view key) const {
    std::vector<std::string> found;
    for (const auto& [each, value] : lines_)
        if (each == key) found.push_back(value);
    return found;
}

std::string Note::text() const {
    std::string text = kind_ + "\n";
    const auto line = [&](std::string_view key, std::string_view value) {
        text.append(key).append("=").append(escaped(value)).append("\n");
    };
    line(MachineKey, owner_.machine);
    line(BootKey, owner_.boot);
    line(ProcessKey, std::to_string(owner_.process));
    line(StartedKey, std::to_string(owner_.started));
    for (const auto& [key, value] : lines_) line(key, value);
    return text;
}

std::optional<Note> Note::parse(std::string_view text, std::string_view kind) {
    if (text.size() > LongestNote || text.empty() || text.back() != '\n') return std::nullopt;
    std::vector<std::pair<std::string, std::string>> lines;
    std::string_view rest = text;
    const auto nextLine = [&] {
        const auto end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        return line;
    };
    if (nextLine() != kind) return std::nullopt;
    while (!rest.empty()) {
        if (lines.size() == MostLines) return std::nullopt;
        const std::string_view line = nextLine();
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0) return std::nullopt;
        std::optional<std::string> value = unescaped(line.substr(equals + 1));
        if (!value) return std::nullopt;
        lines.emplace_back(std::string(line.substr(0, equals)), std::move(*value));
    }
    Note note{std::string(kind)};
    note.lines_ = std::move(lines);
    const auto owned = [&](const char* key) {
        const auto line =
            std::find_if(note.lines_.begin(), note.lines_.end(), [&](const auto& each) { return each.first == key; });
        std::optional<std::string> value;
        if (line != note.lines_.end()) {
            value = std::move(line->second);
            note.lines_.erase(line);
        }
        return value;
    };
    const std::optional<std::string> machine = owned(MachineKey);
    const std::optional<std::string> boot = owned(BootKey);
    const std::optional<std::string> process = owned(ProcessKey);
    const std::optional<std::string> started = owned(StartedKey);
    if (!machine || machine->empty() || !boot || !process || !started) return std::nullopt;
    const std::optional<std::uint64_t> pid = number(*process);
    const std::optional<std::uint64_t> start = number(*started);
    if (!pid || *pid > UINT32_MAX || !start) return std::nullopt;
    note.owner_ = {*machine, *boot, static_cast<std::uint32_t>(*pid), *start};
    return note;
}

Read read(const std::string& path, std::string_view kind) {
    const fs::path file = win32::hostPath(path);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(file, error);
    if (status.type() == fs::file_type::not_found) return {};
    if (error || status.type() != fs::file_type::regular) return {State::Damaged, {}};
    std::ifstream in(file, std::ios::binary);
    std::string text(LongestNote + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return {State::Damaged, {}};
    std::optional<Note> note = Note::parse(text, kind);
    if (!note) return {State::Damaged, {}};
    return {State::Found, std::move(note)};
}

std::string write(const std::string& path, const Note& note) {
    const fs::path file = win32::hostPath(path);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(file, error);
    if (status.type() == fs::file_type::directory) return "An dieser Stelle liegt ein Ordner.";
    if (status.type() != fs::file_type::not_found && status.type() != fs::file_type::regular)
        return "An dieser Stelle liegt keine gewöhnliche Datei.";
    try {
        win32::writeFileAtomically(file, note.text());
        return {};
    } catch (const std::system_error& failure) {
        return win32::errorText(failure.code());
    }
}

std::string setAside(const std::string& path) {
    const fs::path file = win32::hostPath(path);
    std::error_code error;
    fs::path aside = file;
    aside += ".defekt";
    // An older damaged note makes room; a folder there stays and this one with it.
    if (fs::symlink_status(aside, error).type() != fs::file_type::directory) fs::remove(aside, error);
    fs::rename(file, aside, error);
    return error ? win32::errorText(error) : std::string();
}

void drop(const std::string& path) {
    // Only a note: whatever else stands at its name is not ours.
    const fs::path file = win32::hostPath(path);
    std::error_code error;
    if (fs::symlink_status(file, error).type() == fs::file_type::regular) fs::remove(file, error);
}

}  // namespace NoteFile
