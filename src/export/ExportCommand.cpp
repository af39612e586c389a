#include "src/export/ExportCommand.h"

#include <exception>
#include <memory>

#include "platform/runtime/Interaction.h"
#include "platform/runtime/Runtime.h"
#include "platform/win32/NamedMutex.h"
#include "src/export/Collision.h"
#include "src/export/Composition.h"
#include "src/export/HostDocument.h"
#include "src/export/Letterheads.h"
#include "src/export/OutputNaming.h"
#include "src/export/Parking.h"
#include "src/export/RunJournal.h"
#include "src/printing/Printing.h"
#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/ui/frmMenue.h"
#include "src/util/Messages.h"
#include "src/util/ShellWait.h"

using namespace INI_Datei;

namespace {

// The name of the machine-wide lock of the export.
constexpr const char* ExportLock = "PDF-Kalmora.Ausdruck";

// One run at a time in this library.
bool running = false;

// Ends the dead run's pdftk and settles what it left, when the last holder
// of the machine's lock died during a run.
void recoverDeadRun() {
    const std::optional<RunJournal::Note> note = RunJournal::read();
    if (!note) return;
    ShellWait(Composition::StopPdftk, AppWindow::Hidden);
    Parking::recover(*note);
    RunJournal::drop();
}

// Deletes the run's intermediate files and puts back what stood at their
// names; the result always stays. A run that never held the machine's lock
// has touched no file and touches none now: the files of these names may be
// another run's.
void cleanup(const ExportRun& run) {
    runtime::DoEvents();
    if (!run.machineLock) return;
    // A pdftk that still runs would hold the files.
    ShellWait(Composition::StopPdftk, AppWindow::Hidden);
    runtime::DoEvents();
    if (const std::optional<RunJournal::Note> note = RunJournal::read()) Parking::recover(*note);
    RunJournal::drop();
}

// Tells the user why no PDF was made, then cleans up.
void failed(const std::string& failureText, const ExportRun& run) {
    runtime::MsgBox("Abbruch\n\n Kein PDF-Ausdruck!\r\n" + failureText, runtime::vbCritical, MessageTitle);
    cleanup(run);
}

// Carries out how a step ended the run.
void finish(const Decision& decision, const ExportRun& run) {
    switch (decision.flow) {
        case Flow::Continue:
        case Flow::End: return;
        case Flow::Cleanup: cleanup(run); return;
        case Flow::Abort: failed(decision.why, run); return;
    }
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
    if (const auto tooLong = OutputNaming::firstTooLong(names))
        return {Flow::Abort, "Der Dateiname ist zu lang: " + *tooLong};

    if (Decision settled = Collision::settle(run); settled.flow != Flow::Continue) return settled;

    AddInFolder = WithTrailingBackslash(runtime::app().path);
    // Word and Excel printing at once would share the PDF printer and each
    // other's pdftk: the second is refused before it touches anything.
    run.machineLock = win32::NamedMutex::tryAcquire(ExportLock);
    if (!run.machineLock) {
        runtime::MsgBox(AlreadyRunning, runtime::vbOKOnly + runtime::vbExclamation, MessageTitle);
        return Flow::End;
    }
    recoverDeadRun();
    if (Decision prepared = Composition::prepareForPrinting(run); prepared.flow != Flow::Continue) return prepared;
    run.DocumentPages = HostDocument::pages(Application, run.host);
    // A failed print has told the user already.
    const Printing::PrintRun print{run.host, run.AuswahlIndex, run.DocumentPages, run.vDefaultPrinter,
                                   run.vExcelPrinter};
    if (!com::isTrue(Printing::erzeugePDF(Application, run.outputFolder, run.firstPart, run.restPart, print)))
        return Flow::End;
    return Composition::composeLetterhead(run);
}

void runExport(com::Object& Application) {
    AddInFolder = WithTrailingBackslash(runtime::app().path);
    if (Letterheads::check().flow == Flow::End) return;

    HostKind.clear();
    ExportRun run;
    run.host = hostOf(Application);
    if (run.host == Host::Other) {
        // Neither host: no document checks, no names, and failures rise to the caller.
        finish(common(Application, run), run);
        return;
    }

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
