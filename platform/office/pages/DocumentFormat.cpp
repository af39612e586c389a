#include "platform/office/pages/DocumentFormat.h"

#include <algorithm>
#include <array>

namespace office {

namespace {

bool isTextByte(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 || (code >= '\t' && code <= '\r');
}

// The flat XML forms of the office's and of Word's documents.
bool isOfficeXml(std::string_view bytes) {
    if (!bytes.starts_with("<?xml")) return false;
    const std::string_view head = bytes.substr(0, 4096);
    for (const std::string_view mark : {"urn:oasis:names:tc:opendocument", "<?mso-application"}) {
        if (head.find(mark) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace

DocumentFormat documentFormat(std::string_view bytes) {
    if (bytes.starts_with("%PDF")) return DocumentFormat::Pdf;
    static constexpr std::array<std::string_view, 6> officeStarts = {
        std::string_view("PK\x03\x04", 4),                        // zip: .docx, .xlsx, .odt, .ods
        std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8),  // compound file: .doc, .xls, encrypted .docx
        std::string_view("{\\rtf"),
        // The BOF record that begins an .xls of Excel 2.1, 3.0 and 4.0,
        // which is no compound file yet.
        std::string_view("\x09\x00\x04\x00", 4),
        std::string_view("\x09\x02\x06\x00", 4),
        std::string_view("\x09\x04\x06\x00", 4),
    };
    for (const std::string_view start : officeStarts) {
        if (bytes.starts_with(start)) return DocumentFormat::Office;
    }
    if (isOfficeXml(bytes)) return DocumentFormat::Office;
    return std::all_of(bytes.begin(), bytes.end(), isTextByte) ? DocumentFormat::Text : DocumentFormat::Unknown;
}

}  // namespace office
