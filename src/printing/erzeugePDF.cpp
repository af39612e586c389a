// Printing to PDF: the printers saved and switched, and every failure caught.
#include "platform/runtime/Interaction.h"
#include "platform/runtime/Printer.h"
#include "src/printing/Printing.h"
#include "src/printing/SavedDefaultPrinter.h"
#include "src/util/Messages.h"

namespace Printing {

com::Boolean erzeugePDF(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                        const std::string& sRestSeiten, const PrintRun& run) {
    try {
        com::Object held = Application;  // held for the whole print run
        run.vDefaultPrinter = std::string();
        RecoverDefaultPrinter();
        run.vDefaultPrinter = runtime::DefaultPrinterName();
        NoteDefaultPrinter(run.vDefaultPrinter.toString());
        if (run.host == Host::Excel) {
            run.vExcelPrinter = held.get("ActivePrinter");
        } else {
            // Word prints to its active printer; the PDF printer takes the jobs.
            held.put("ActivePrinter", "PDFCreator");
        }
        PrintViaPDFCreator(held, sPath, sErsteSeite, sRestSeiten, run);
        return com::True;
    } catch (const std::exception&) {
        fSet_DefaultPrinter(run.vDefaultPrinter.toString());
        ForgetDefaultPrinter();
        runtime::MsgBox("Abbruch\n\n Kein PDF-Ausdruck!", runtime::vbCritical, MessageTitle);
        return com::False;
    }
}

}  // namespace Printing
