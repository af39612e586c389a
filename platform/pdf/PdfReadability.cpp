#include "platform/pdf/PdfReadability.h"

#include <filesystem>
#include <fstream>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "platform/win32/Files.h"

namespace pdf {

namespace {

// The first revision of the standard security handler with AES-256.
constexpr int kAes256Revision = 5;
constexpr std::streamsize kHeaderWindow = 1024;

}  // namespace

Inspection inspect(const std::string& path, std::uintmax_t largest) {
    const std::string file = win32::hostPath(path);
    std::error_code failed;
    const auto status = std::filesystem::status(file, failed);
    if (failed || !std::filesystem::exists(status)) return {Readability::Missing, 0};
    if (std::filesystem::is_directory(status)) return {Readability::Folder, 0};
    if (!std::filesystem::is_regular_file(status)) return {Readability::NotAFile, 0};
    const std::uintmax_t size = std::filesystem::file_size(file, failed);
    if (failed) return {Readability::Missing, 0};
    if (size > largest) return {Readability::TooLarge, 0};
    if (size == 0) return {Readability::Empty, 0};
    std::ifstream in(file, std::ios::binary);
    if (!in) return {Readability::Missing, 0};
    // Readers accept the header anywhere in the first kilobyte.
    std::string head(kHeaderWindow, '\0');
    in.read(head.data(), kHeaderWindow);
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (head.find("%PDF-") == std::string::npos) return {Readability::NotPdf, 0};
    try {
        // qpdf reads the objects as it needs them, not the whole file.
        QPDF document;
        document.setSuppressWarnings(true);
        document.processFile(file.c_str());
        int revision = 0;
        int permissions = 0;
        if (document.isEncrypted(revision, permissions) && revision >= kAes256Revision)
            return {Readability::EncryptionUnreadable, 0};
        const std::size_t pages = QPDFPageDocumentHelper(document).getAllPages().size();
        if (pages == 0) return {Readability::NoPages, 0};
        return {Readability::Readable, pages};
    } catch (const QPDFExc& error) {
        return {error.getErrorCode() == qpdf_e_password ? Readability::PasswordNeeded : Readability::Damaged, 0};
    } catch (const std::exception&) {
        return {Readability::Damaged, 0};
    }
}

}  // namespace pdf
