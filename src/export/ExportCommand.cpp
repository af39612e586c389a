#include "src/export/ExportCommand.h"

#include <exception>
#include <memory>
#include <string>

#include "platform/runtime/Interaction.h"
#include "platform/runtime/Runtime.h"
#include "platform/win32/ErrorText.h"
#include "platform/win32/FileClaim.h"
#include "platform/win32/NamedMutex.h"
#include "src/export/Collision.h"
#include "src/export/Composition.h"
#include "src/export/HostDocument.h"
#include "src/export/Letterheads.h"
#include "src/export/OutputNaming.h"
#include "src/export/Parking.h"
#include "src/export/RunFiles.h"
#include "src/export/RunJournal.h"
#include "src/printing/Printing.h"
#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/ui/frmMenue.h"
#include "src/util/Failures.h"
#include "src/util/Messages.h"
#include "src/util/ShellWait.h"

using namespace INI_Datei;

namespace {

// The name of the machine-wide lock of the export.
constexpr const char* ExportLock = "PDF-Kalmora.Ausdruck";

// One run at a time in this library.
bool running = false;

// Ends the dead run's pdftk and settles what it left, when the last holder
// of the machine's lock died during a run. Whether this run may keep the
// journal: not while it is that of a run that may still work.
Journal recoverDeadRun() {
    const RunJournal::Reading journal = RunJournal::read(AddInFolder);
    if (journal.found == RunJournal::Found::Live) return Journal::None;
    if (journal.found == RunJournal::Found::Dead) {
        ShellWait(Composition::StopPdftk, AppWindow::Hidden);
        Parking::settle(journal.record, Parking::NewResult::KeptIfWhole);
        // Its claim of the names goes too, unless a run of another machine holds it by now.
        ignoreFailure([&] {
            const std::optional<win32::FileClaim> left =
                win32::FileClaim::tryClaim(namesClaim(journal.record.names[1]));
        });
        RunJournal::drop(AddInFolder);
    }
    return Journal::Kept;
}

// Claims the run's names in the output folder: a run on another machine
// that writes the same names into a shared folder would mix its pages with
// this run's.
Decision claimNames(ExportRun& run) {
    const std::string name = run.baseName + run.KuerzelSuffix;
    try {
        run.namesClaim = win32::FileClaim::tryClaim(namesClaim(run.intermediates->printedFirst));
        if (run.namesClaim) return Flow::Continue;
        return {Flow::Abort, "Im Ordner " + run.outputFolder + " wird gerade schon ein PDF-Ausdruck von \"" + name +
                                 "\" erzeugt, auf einem anderen Rechner oder in einem anderen Programm. Bitte "
                                 "warten, bis er fertig ist."};
    } catch (const std::system_error& error) {
        return {Flow::Abort,
                "Im Ordner " + run.outputFolder + " lässt sich keine Datei anlegen: " + win32::errorText(error.code())};
    }
}

// Deletes the run's intermediate files and puts back what stood at their
// names; the result always stays. A run that never held the machine's lock
// has touched no file and touches none now: the files of these names may be
// another run's.
void cleanup(ExportRun& run) {
    runtime::DoEvents();
    if (!run.machineLock) return;
    // A pdftk that still runs would hold the files.
    ShellWait(Composition::StopPdftk, AppWindow::Hidden);
    runtime::DoEvents();
    if (run.files) run.files->settle();
}

// Tells the user why no PDF was made, then cleans up.
void failed(const std::string& failureText, ExportRun& run) {
    runtime::MsgBox("Abbruch\n\n Kein PDF-Ausdruck!\r\n" + failureText, runtime::vbCritical, MessageTitle);
    cleanup(run);
}

// Carries out how a step ended the run.
void finish(const Decision& decision, ExportRun& run) {
    switch (decision.flow) {
        case Flow::Continue:
        case Flow::End: return;
        case Flow::Cleanup: cleanup(run); return;
        case Flow::Abort: failed(decision.why, run); return;
    }
}

// What the user can do about a name too long: the document it comes from.
std::string shorterName(const ExportRun& run) {
    if (run.documentName.empty()) return {};
    return "; das Dokument \"" + run.documentName + "\" braucht einen kürzeren Namen";
}

// The steps that every host goes through: suffix, choice, names, printing,
// letterheads.
Decision common(com::Object& Application, ExportRun& run) {
    run.KuerzelSuffix = ReadIniString(SettingsFile(), Section, Keys::Firmenkuerzel);
    if (!run.KuerzelSuffix.empty()) run.KuerzelSuffix = "_" + run.KuerzelSuffix;
    if (OutputNaming::hasSeparator(run.KuerzelSuffix))
        return {Flow::Abort, "Das Firmenkürzel " + run.KuerzelSuffix.substr(1) +
                                 " enthält \\ oder /; die PDF-Datei käme nicht in den Ausgabeordner."};

    frmMenue& choice = frmMenue::instance();
    runtime::ShowModal(choice);
    run.AuswahlIndex = choice.AuswahlIndex;
    if (run.AuswahlIndex == Layout::None) return Flow::Abort;

    run.firstPart = run.baseName + run.KuerzelSuffix + "_$1";
    run.restPart = run.baseName + run.KuerzelSuffix + "_$2";
    run.target = run.outputFolder + run.baseName + run.KuerzelSuffix + ".pdf";
    const std::string printed = run.outputFolder + run.firstPart + ".pdf";
    const std::string printedRest = run.outputFolder + run.restPart + ".pdf";
    // pdftk writes the stamped pages beside the printed ones.
    run.intermediates = IntermediateFiles{printed, printedRest, printed + ".pdf", printedRest + ".pdf"};
    std::vector<std::string> names = run.intermediates->all();
    names.insert(names.begin(), run.target);
    // The longest numbered name (base "_50" suffix ".pdf") is shorter than
    // the stamped files', and the parked names are cut to fit.
    if (const auto tooLong = OutputNaming::firstTooLong(names))
        return {Flow::Abort, "Der Dateiname ist zu lang: " + *tooLong + "\r\nEin Dateiname hat höchstens " +
                                 std::to_string(OutputNaming::LongestName) + " Bytes" + shorterName(run) + "."};
    if (const auto tooLong = OutputNaming::firstTooLong({printed, printedRest}, Printing::PdfPrinterWorkingRoom))
        return {Flow::Abort, "Der Dateiname ist zu lang: " + *tooLong + "\r\n" + Printing::PdfPrinterInText() +
                                 " schreibt die Datei zuerst unter einem " +
                                 std::to_string(Printing::PdfPrinterWorkingRoom) +
                                 " Bytes längeren Namen, und ein Dateiname hat höchstens " +
                                 std::to_string(OutputNaming::LongestName) + " Bytes" + shorterName(run) + "."};

    if (Decision settled = Collision::settle(run); settled.flow != Flow::Continue) return settled;

    SettleFolders();
    // Word and Excel printing at once would share the PDF printer and each
    // other's pdftk: the second is refused before it touches anything.
    run.machineLock = win32::NamedMutex::tryAcquire(ExportLock);
    if (!run.machineLock) {
        runtime::MsgBox(AlreadyRunning, runtime::vbOKOnly + runtime::vbExclamation, MessageTitle);
        return Flow::End;
    }
    const Journal journal = recoverDeadRun();
    if (Decision claimed = claimNames(run); claimed.flow != Flow::Continue) return claimed;
    std::vector<std::string> runNames = run.intermediates->all();
    runNames.insert(runNames.begin(), run.resultFile());
    run.files.emplace(AddInFolder, journal, run.outputFolder, std::move(runNames));
    if (Decision prepared = Composition::prepareForPrinting(run); prepared.flow != Flow::Continue) return prepared;
    run.DocumentPages = HostDocument::pages(Application, run.host);
    run.files->expectPages(run.DocumentPages);
    const Printing::PrintRun print{run.host,         run.AuswahlIndex,    run.DocumentPages,
                                   run.documentName, run.vDefaultPrinter, run.vExcelPrinter};
    if (!com::isTrue(Printing::erzeugePDF(Application, run.outputFolder, run.firstPart, run.restPart, print))) {
        // A failed print has told the user already. Its names were free when
        // printing began, so what stands there now is what the printer wrote
        // for this run before it failed, and goes with the cleanup.
        run.files->made(run.intermediates->printedFirst);
        run.files->made(run.intermediates->printedRest);
        return Flow::Cleanup;
    }
    return Composition::composeLetterhead(run);
}

// Why another host gets no PDF: only Word's and Excel's documents can be
// found, counted and printed, and without them the names would land in the
// host's working folder.
std::string notWordOrExcel(const com::Object& Application) {
    return "Der PDF-Ausdruck mit Briefpapier geht nur aus Microsoft Word und Microsoft Excel, nicht aus \"" +
           Application.value().toString() + "\".";
}

void runExport(com::Object& Application) {
    SettleFolders();
    HostKind.clear();
    ExportRun run;
    run.host = hostOf(Application);
    // Before the letterheads: their state would not help this host.
    if (run.host == Host::Other) {
        failed(notWordOrExcel(Application), run);
        return;
    }
    if (Letterheads::check().flow == Flow::End) return;

    HostKind = run.host == Host::Word ? "Word" : "Excel";
    if (const std::string why = HostDocument::nothingToPrint(Application, run.host); !why.empty()) {
        runtime::MsgBox("leeres Dokument - Ausdruck nicht erforderlich\r\n" + why, runtime::vbOKOnly, MessageTitle);
        return;
    }

    // From here on every failure ends the run with the abort message and the cleanup.
    Decision decision;
    try {
        decision = HostDocument::prepare(Application, run);
        if (decision.flow == Flow::Continue) decision = common(Application, run);
    } catch (const std::exception& error) {
        // A runtime error's text is its description.
        failed(error.what(), run);
        return;
    }
    finish(decision, run);
}

}  // namespace

namespace ExportCommand {

void erzeugeFiles(com::Object& Application) {
    if (running) {
        runtime::MsgBox(AlreadyRunning, runtime::vbOKOnly + runtime::vbExclamation, MessageTitle);
        return;
    }
    running = true;
    // The flag goes down however the run ends, also when a failure rises.
    const std::unique_ptr<bool, void (*)(bool*)> lowered(&running, [](bool* flag) { *flag = false; });
    runExport(Application);
}

}  // namespace ExportCommand
