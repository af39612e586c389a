#pragma once
// The pages a document prints: a PDF file has its own pages, a text file is
// set on pages as TextPdf.h describes, and an office document brings the
// pages that the office laid out (OfficeRenderer.h).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QPDF;

namespace office {

class PageFile {
public:
    // Reads the file. Throws std::runtime_error when it cannot be read, is
    // neither PDF nor text (DocumentFormat.h), or is no valid PDF although
    // it starts like one.
    explicit PageFile(const std::string& file);
    // The pages of an office document as the office laid them out: the
    // bytes of a PDF file, or none when nothing prints.
    struct LaidOut {
        std::string pdf;
    };
    explicit PageFile(LaidOut pages);
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    std::int32_t pageCount() const;  // 0 for laid-out pages without any
    // A PDF file (its bytes) of the given pages, in the order given; each
    // number lies between 1 and pageCount().
    std::string pdfOf(const std::vector<std::int32_t>& pages) const;

private:
    void read(const std::string& name);

    std::string bytes_;               // a PDF file; a text file already set on pages
    std::unique_ptr<QPDF> document_;  // none when there are no pages
};

}  // namespace office
