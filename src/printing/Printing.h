#pragma once
// Printing the host's document to PDF files through the PDF printer, and
// switching the system's default printer.
#include <cstdint>
#include <string>

#include "platform/com/Boolean.h"
#include "platform/com/Object.h"
#include "platform/com/Variant.h"
#include "src/printing/Layout.h"
#include "src/util/Host.h"

namespace Printing {

// The PDF printer's name, as the print system knows it.
inline constexpr const char* PdfPrinterName = "PDFCreator";

// What one print run needs besides the host application and the names: which
// host it is, the layout, the pages the host reported (0 when it cannot
// tell), and where the printers saved before printing are kept (the export
// run's fields).
struct PrintRun {
    Host host;
    Layout layout;
    std::int32_t documentPages;
    com::Variant& vDefaultPrinter;
    com::Variant& vExcelPrinter;
};

// Prints the host's document to PDF: `sPath` + `sErsteSeite` + ".pdf" and, in
// the first-page layout for a document of more than one page, `sPath` +
// `sRestSeiten` + ".pdf". False, after the abort message, when printing
// failed; the default printer is then put back.
com::Boolean erzeugePDF(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                        const std::string& sRestSeiten, const PrintRun& run);

// One print run on the PDF printer; raises what the printer or the host
// raise. Called by erzeugePDF.
void PrintViaPDFCreator(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                        const std::string& sRestSeiten, const PrintRun& run);

// Makes the named printer the system's default printer. False only when the
// printer management itself fails; True also when no printer matched.
com::Boolean fSet_DefaultPrinter(const std::string& sPrinterName);

}  // namespace Printing
