#include "platform/printers/PrinterNames.h"

#include <stdexcept>

namespace printers {

namespace {

// Linux allows 255 bytes for a file name; a little is kept back so that a
// spool job's suffix or a later extension still fits.
constexpr std::size_t longestFileName = 240;

bool keptInFileName(unsigned char byte, bool first) {
    if (first && byte == '.') return false;
    if (byte < 0x20 || byte == 0x7F) return false;
    return byte != '/' && byte != '\\' && byte != '%';
}

}  // namespace

std::string foldCase(std::string_view name) {
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto byte = static_cast<unsigned char>(out[i]);
        if (byte >= 'A' && byte <= 'Z') {
            out[i] = static_cast<char>(byte - 'A' + 'a');
        } else if (byte == 0xC3 && i + 1 < out.size()) {
            // U+00C0..U+00DE are the Latin-1 capitals (U+00D7 is the
            // multiplication sign); their small forms lie 0x20 higher, which
            // in UTF-8 is the second byte only.
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) out[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    return foldCase(a) == foldCase(b);
}

std::string fileNameFor(std::string_view name) {
    if (name.empty()) throw std::invalid_argument("Ein Druckername darf nicht leer sein.");
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    const std::string folded = foldCase(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        if (keptInFileName(byte, i == 0)) {
            out += folded[i];
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        }
    }
    if (out.size() > longestFileName) throw std::invalid_argument("Der Druckername ist zu lang.");
    return out;
}

}  // namespace printers
