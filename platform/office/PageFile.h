#pragma once
// The pages a document's file prints: a PDF file ("%PDF" at its start) has
// its own pages; any other file is text, set on pages as TextPdf.h describes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QPDF;

namespace office {

class PageFile {
public:
    // Reads the file. Throws std::runtime_error when it cannot be read or is
    // no valid PDF although it starts like one.
    explicit PageFile(const std::string& file);
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    std::int32_t pageCount() const;
    // A PDF file (its bytes) of the given pages, in the order given; each
    // number lies between 1 and pageCount().
    std::string pdfOf(const std::vector<std::int32_t>& pages) const;

private:
    std::string bytes_;  // a PDF file; a text file already set on pages
    std::unique_ptr<QPDF> document_;
};

}  // namespace office
