// Printing to PDF: the printers saved and switched, and every failure caught.
#include "platform/runtime/Interaction.h"
#include "platform/runtime/Printer.h"
#include "src/ui/Messages.h"
#include "src/ui/frmMenue.h"

com::Boolean frmMenue::erzeugePDF(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                                  const std::string& sRestSeiten) {
    try {
        com::Object host = Application;  // held for the whole print run
        vDefaultPrinter = std::string();
        vDefaultPrinter = runtime::DefaultPrinterName();
        if (host.value().toString() == "Microsoft Excel") {
            vExcelPrinter = host.get("ActivePrinter");
        } else {
            // Word prints to its active printer; the PDF printer takes the jobs.
            host.put("ActivePrinter", "PDFCreator");
        }
        PrintViaPDFCreator(host, sPath, sErsteSeite, sRestSeiten);
        return com::True;
    } catch (const std::exception&) {
        fSet_DefaultPrinter(vDefaultPrinter.toString());
        runtime::MsgBox("Abbruch\n\n Kein PDF-Ausdruck!", runtime::vbCritical, MessageTitle);
        return com::False;
    }
}
