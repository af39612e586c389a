#pragma once
// Printing the host's document to PDF files through the PDF printer, and
// switching the system's default printer.
#include <cstddef>
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
// The PDF printer writes each file first under a hidden name beside it, this
// many bytes longer than the file's own ("." before it, "." and eight
// characters after it): the folder must hold that name too.
inline constexpr std::size_t PdfPrinterWorkingRoom = 10;
// How the reasons of printing failures name the PDF printer.
inline std::string PdfPrinterInText() {
    return "Der PDF-Drucker \"" + std::string(PdfPrinterName) + "\"";
}

// Whether a print run makes the PDF printer the system's default printer for
// its time. Word prints to its active printer and Excel names the printer in
// its print call, so the jobs reach the PDF printer either way; a run whose
// note of the user's default printer cannot be written keeps the default,
// so that a run that dies cannot leave the PDF printer as the default.
enum class DefaultPrinterSwitch { ToPdfPrinter, Keep };

// What one print run needs besides the host application and the names: which
// host it is, the layout, the pages the host reported (0 when it cannot
// tell), the document's name, which titles its print jobs (empty: the PDF
// printer takes every job), and where the printers saved before printing
// are kept (the export run's fields).
struct PrintRun {
    Host host = Host::Other;
    Layout layout = Layout::None;
    std::int32_t documentPages = 0;
    const std::string& documentTitle;
    com::Variant& vDefaultPrinter;
    com::Variant& vExcelPrinter;
    DefaultPrinterSwitch defaultPrinter = DefaultPrinterSwitch::ToPdfPrinter;
};

// Prints the host's document to PDF: `sPath` + `sErsteSeite` + ".pdf" and, in
// the first-page layout for a document of more than one page, `sPath` +
// `sRestSeiten` + ".pdf". False, after the abort message with the reason
// under it, when printing failed; the default printer is then put back. No
// default printer is no reason not to print: there is then none to put back.
com::Boolean erzeugePDF(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                        const std::string& sRestSeiten, const PrintRun& run);

// One print run on the PDF printer, which it ends afterwards, failed or not.
// The printer takes only the jobs titled `run.documentTitle`. A printer that
// does not start or does not write the run's first file hangs (stopped,
// busy, or reporting what it wrote before): it is ended and a new one tries
// once more. A printer that says why it could not write a file of the run
// (a name the folder cannot hold) is not waited for any longer, nor started
// anew. Raises com::Error whose description is the reason for the user,
// naming the printer, the file or the document, also when the new printer
// does not write the file either. Called by erzeugePDF.
void PrintViaPDFCreator(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                        const std::string& sRestSeiten, const PrintRun& run);

// Makes the named printer the system's default printer. False only when the
// printer management itself fails; True also when no printer matched.
com::Boolean fSet_DefaultPrinter(const std::string& sPrinterName);

// Leaves the user without a default printer, as the user was before the
// first one. False only when the printer management itself fails; True also
// when there was none.
com::Boolean ClearDefaultPrinter();

// Whether a printer of that name is set up; raises what the printer
// management raises.
com::Boolean PrinterInstalled(const std::string& sPrinterName);

}  // namespace Printing
