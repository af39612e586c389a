#include "platform/office/pages/PageFile.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <utility>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "platform/office/pages/DocumentFormat.h"
#include "platform/office/pages/PdfBytes.h"
#include "platform/office/pages/TextPdf.h"

namespace office {

namespace {

std::string contentsOf(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + file);
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad()) throw std::runtime_error("cannot read " + file);
    return std::move(contents).str();
}

}  // namespace

PageFile::PageFile(const std::string& file) : bytes_(contentsOf(file)) {
    switch (documentFormat(bytes_)) {
        case DocumentFormat::Pdf: break;
        case DocumentFormat::Text: bytes_ = textToPdf(bytes_); break;
        case DocumentFormat::Office: throw std::runtime_error(file + " is an office document that was not laid out");
        case DocumentFormat::Unknown: throw std::runtime_error(file + " is neither text nor PDF");
    }
    read(file);
}

PageFile::PageFile(LaidOut pages) : bytes_(std::move(pages.pdf)) {
    if (!bytes_.empty()) read("laid-out pages");
}

void PageFile::read(const std::string& name) {
    document_ = std::make_unique<QPDF>();
    // Warnings about a damaged file that can be repaired are of no interest
    // to a printer; the repaired pages print.
    document_->setSuppressWarnings(true);
    document_->processMemoryFile(name.c_str(), bytes_.data(), bytes_.size());
}

PageFile::~PageFile() = default;

std::int32_t PageFile::pageCount() const {
    if (!document_) return 0;
    return static_cast<std::int32_t>(QPDFPageDocumentHelper(*document_).getAllPages().size());
}

std::string PageFile::pdfOf(const std::vector<std::int32_t>& pages) const {
    const std::vector<QPDFPageObjectHelper> all =
        document_ ? QPDFPageDocumentHelper(*document_).getAllPages() : std::vector<QPDFPageObjectHelper>();
    QPDF out;
    out.emptyPDF();
    QPDFPageDocumentHelper outPages(out);
    for (const std::int32_t page : pages) {
        if (page < 1 || static_cast<std::size_t>(page) > all.size()) {
            throw std::out_of_range("no page " + std::to_string(page));
        }
        // Pages of another document are copied with all they refer to.
        outPages.addPage(all[static_cast<std::size_t>(page - 1)], false);
    }
    return pdfBytes(out);
}

}  // namespace office
