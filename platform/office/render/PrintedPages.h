#pragma once
// The pages of a document that the office holds, as they print, made by the
// office's PDF export through a stream (no file): for a hidden document that
// a host laid out, and for a live one that the user edits in a window
// (unsaved changes included).
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <string>

namespace office {

// Every page of a text document: a PDF file's bytes.
std::string textDocumentPages(const com::sun::star::uno::Reference<com::sun::star::lang::XComponent>& document);

// The pages of one sheet of a spreadsheet, none of the others'; empty when
// the sheet has no cells with content and no drawings (the office would lay
// out one blank page, where Excel prints none).
std::string sheetPages(const com::sun::star::uno::Reference<com::sun::star::lang::XComponent>& document,
                       const com::sun::star::uno::Reference<com::sun::star::sheet::XSpreadsheet>& sheet);

}  // namespace office
