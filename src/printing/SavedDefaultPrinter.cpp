// The note of the user's default printer during a run.
#include "src/printing/SavedDefaultPrinter.h"

#include <optional>

#include "platform/runtime/Printer.h"
#include "platform/win32/ProcessIdentity.h"
#include "src/settings/INI_Datei.h"
#include "src/util/NoteFile.h"
#include "src/util/TellOnce.h"

namespace Printing {

namespace {

constexpr const char* NoteFileName = "pdf-Kalmora.drucker";
constexpr const char* Kind = "pdf-Kalmora Standarddrucker 1";
// "Drucker" with the printer under PrinterKey, or "keiner" when the user had
// no default printer.
constexpr const char* BeforeKey = "Vorher";
constexpr const char* PrinterKey = "Standarddrucker";
constexpr const char* APrinter = "Drucker";
constexpr const char* NoPrinter = "keiner";

std::string noteFile() {
    return INI_Datei::AddInFolder + NoteFileName;
}

// The default printer before the switch, as a note has it: a name, or none.
struct Before {
    std::optional<std::string> printer;
};

std::optional<Before> beforeIn(const NoteFile::Note& note) {
    const std::optional<std::string> before = note.value(BeforeKey);
    const std::optional<std::string> printer = note.value(PrinterKey);
    if (before == NoPrinter && !printer) return Before{};
    if (before == APrinter && printer && !printer->empty()) return Before{printer};
    return std::nullopt;
}

bool pdfPrinterIsTheDefault() {
    try {
        return runtime::DefaultPrinterName() == PdfPrinterName;
    } catch (const std::exception&) {
        return false;  // no default printer, so not the PDF printer
    }
}

bool installed(const std::string& printer) {
    try {
        return com::isTrue(PrinterInstalled(printer));
    } catch (const std::exception&) {
        return true;  // the management cannot tell: the switch itself will fail then
    }
}

// Makes `before` the default again while the PDF printer is the default; a
// default that someone chose meanwhile stays. False when the printer
// management failed, so that the note stays for another try.
bool putBack(const Before& before) {
    if (!pdfPrinterIsTheDefault()) return true;
    if (!before.printer) return com::isTrue(ClearDefaultPrinter());
    if (installed(*before.printer)) return com::isTrue(fSet_DefaultPrinter(*before.printer));
    // Its printer was removed since: the print system has no default printer
    // after a default printer is removed, so the user gets what removing it
    // would have left, rather than the PDF printer.
    if (!com::isTrue(ClearDefaultPrinter())) return false;
    TellOnce::tell("Der Standarddrucker \"" + *before.printer +
                   "\" ist nicht mehr eingerichtet. Es ist nun kein Standarddrucker festgelegt.");
    return true;
}

// A note that cannot be read: never acted on, out of the way, and named.
void setAsideDamaged() {
    const std::string file = noteFile();
    const std::string reason = NoteFile::setAside(file);
    if (reason.empty()) {
        TellOnce::tell("Die Notiz zum Standarddrucker " + file + " ist beschädigt. Sie wurde nicht verwendet und als " +
                       file + ".defekt beiseitegelegt.");
    } else {
        TellOnce::tell("Die Notiz zum Standarddrucker " + file +
                       " ist beschädigt und wurde nicht verwendet. Sie lässt sich nicht beiseitelegen:\r\n" + reason);
    }
    // Whatever it held, the PDF printer is no printer a user chose to keep.
    if (pdfPrinterIsTheDefault()) ClearDefaultPrinter();
}

}  // namespace

void RecoverDefaultPrinter() {
    const NoteFile::Read read = NoteFile::read(noteFile(), Kind);
    if (read.state == NoteFile::State::Missing) return;
    const std::optional<Before> before = read.note ? beforeIn(*read.note) : std::nullopt;
    if (!before) {
        setAsideDamaged();
        return;
    }
    // One export at a time runs in a host: a note of this very process is
    // that of one of its earlier runs.
    const win32::ProcessIdentity& owner = read.note->owner();
    if (owner != win32::currentProcessIdentity() && win32::lifeOf(owner) != win32::ProcessLife::Gone) return;
    if (putBack(*before)) NoteFile::drop(noteFile());
}

DefaultPrinterSwitch NoteDefaultPrinter(const std::string& printer) {
    // The note of a run still printing, here or on another machine, is not
    // ours to replace; nor one that could not be set aside.
    if (NoteFile::read(noteFile(), Kind).state != NoteFile::State::Missing) return DefaultPrinterSwitch::Keep;
    NoteFile::Note note(Kind);
    note.add(BeforeKey, printer.empty() ? NoPrinter : APrinter);
    if (!printer.empty()) note.add(PrinterKey, printer);
    const std::string reason = NoteFile::write(noteFile(), note);
    if (reason.empty()) return DefaultPrinterSwitch::ToPdfPrinter;
    TellOnce::tell(
        "Die Notiz zum Standarddrucker " + noteFile() +
        " lässt sich nicht schreiben. Der Standarddrucker bleibt deshalb beim PDF-Ausdruck unverändert.\r\n" + reason);
    return DefaultPrinterSwitch::Keep;
}

void PutBackDefaultPrinter(const PrintRun& run) {
    if (run.defaultPrinter == DefaultPrinterSwitch::Keep) return;
    const std::string printer = run.vDefaultPrinter.toString();
    // A note that cannot be deleted, or a default that cannot be put back,
    // is settled by the next run.
    if (putBack(printer.empty() ? Before{} : Before{printer})) NoteFile::drop(noteFile());
}

}  // namespace Printing
