// Printing to PDF: the printers saved and switched, and every failure caught.
#include "platform/runtime/Interaction.h"
#include "platform/runtime/Printer.h"
#include "src/printing/Printing.h"
#include "src/printing/SavedDefaultPrinter.h"
#include "src/util/Messages.h"

namespace Printing {

namespace {

// The user's default printer; empty when there is none.
std::string defaultPrinterIfAny() {
    try {
        return runtime::DefaultPrinterName();
    } catch (const com::Error&) {
        return {};
    }
}

}  // namespace

com::Boolean erzeugePDF(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                        const std::string& sRestSeiten, const PrintRun& run) {
    // Until the user's default printer is noted, there is none to put back.
    PrintRun printing = run;
    printing.defaultPrinter = DefaultPrinterSwitch::Keep;
    try {
        com::Object held = Application;  // held for the whole print run
        run.vDefaultPrinter = std::string();
        RecoverDefaultPrinter();
        if (!com::isTrue(PrinterInstalled(PdfPrinterName)))
            throw com::Error(com::errors::InvalidProcedureCall, PdfPrinterInText() + " ist nicht eingerichtet.");
        run.vDefaultPrinter = defaultPrinterIfAny();
        printing.defaultPrinter = NoteDefaultPrinter(run.vDefaultPrinter.toString());
        if (run.host == Host::Excel) {
            run.vExcelPrinter = held.get("ActivePrinter");
        } else {
            // Word prints to its active printer; the PDF printer takes the jobs.
            held.put("ActivePrinter", PdfPrinterName);
        }
        PrintViaPDFCreator(held, sPath, sErsteSeite, sRestSeiten, printing);
        return com::True;
    } catch (const std::exception& error) {
        PutBackDefaultPrinter(printing);
        // A runtime error's text is its description: the reason goes under the message.
        runtime::MsgBox("Abbruch\n\n Kein PDF-Ausdruck!\r\n" + std::string(error.what()), runtime::vbCritical,
                        MessageTitle);
        return com::False;
    }
}

}  // namespace Printing
