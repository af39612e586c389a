#include "platform/tools/pdftk/PdfReadability.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "platform/win32/Files.h"

namespace pdf {

namespace {

// The first revision of the standard security handler with AES-256.
constexpr int kAes256Revision = 5;

}  // namespace

Readability readability(const std::string& path) {
    const std::string file = win32::hostPath(path);
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored)) return Readability::Folder;
    std::ifstream in(file, std::ios::binary);
    if (!in) return Readability::Missing;
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.empty()) return Readability::Empty;
    // Readers accept the header anywhere in the first kilobyte.
    if (bytes.substr(0, 1024).find("%PDF-") == std::string::npos) return Readability::NotPdf;
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile(file.c_str(), bytes.data(), bytes.size());
        int revision = 0;
        int permissions = 0;
        if (document.isEncrypted(revision, permissions) && revision >= kAes256Revision)
            return Readability::EncryptionUnreadable;
        if (QPDFPageDocumentHelper(document).getAllPages().empty()) return Readability::NoPages;
        return Readability::Readable;
    } catch (const QPDFExc& error) {
        return error.getErrorCode() == qpdf_e_password ? Readability::PasswordNeeded : Readability::Damaged;
    } catch (const std::exception&) {
        return Readability::Damaged;
    }
}

}  // namespace pdf
