#include "platform/office/PageFile.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "platform/office/PdfBytes.h"

#include "platform/office/TextPdf.h"

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

PageFile::PageFile(const std::string& file) : bytes_(contentsOf(file)), document_(std::make_unique<QPDF>()) {
    if (!bytes_.starts_with("%PDF")) bytes_ = textToPdf(bytes_);
    // Warnings about a damaged file that can be repaired are of no interest
    // to a printer; the repaired pages print.
    document_->setSuppressWarnings(true);
    document_->processMemoryFile(file.c_str(), bytes_.data(), bytes_.size());
}

PageFile::~PageFile() = default;

std::int32_t PageFile::pageCount() const {
    return static_cast<std::int32_t>(QPDFPageDocumentHelper(*document_).getAllPages().size());
}

std::string PageFile::pdfOf(const std::vector<std::int32_t>& pages) const {
    const std::vector<QPDFPageObjectHelper> all = QPDFPageDocumentHelper(*document_).getAllPages();
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
