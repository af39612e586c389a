// The note of the user's default printer during a run.
#include "src/printing/SavedDefaultPrinter.h"

#include "platform/runtime/Interaction.h"
#include "platform/runtime/Printer.h"
#include "src/printing/Printing.h"
#include "src/settings/INI_Datei.h"
#include "src/util/Failures.h"
#include "src/util/FileChecks.h"

namespace Printing {

namespace {

constexpr const char* NoteFileName = "pdf-Kalmora.drucker";
constexpr const char* NoteKey = "Standarddrucker";

std::string noteFile() {
    return INI_Datei::AddInFolder + NoteFileName;
}

}  // namespace

void RecoverDefaultPrinter() {
    if (!com::isTrue(FileChecks::FileFolderExists(noteFile()))) return;
    const std::string noted = INI_Datei::ReadIniString(noteFile(), INI_Datei::Section, NoteKey);
    if (!noted.empty() && runtime::DefaultPrinterName() == PdfPrinterName) fSet_DefaultPrinter(noted);
    ForgetDefaultPrinter();
}

void NoteDefaultPrinter(const std::string& printer) {
    if (printer.empty()) return;
    INI_Datei::WriteIniString(noteFile(), INI_Datei::Section, NoteKey, printer);
}

void ForgetDefaultPrinter() {
    // A note that cannot be deleted is put back by the next run once more.
    ignoreFailure([] { runtime::Kill(noteFile()); });
}

void PutBackDefaultPrinter(const std::string& printer) {
    if (!printer.empty()) fSet_DefaultPrinter(printer);
    ForgetDefaultPrinter();
}

}  // namespace Printing
