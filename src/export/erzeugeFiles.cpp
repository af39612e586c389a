// The export command: the checks, the output names and the end of every run.
#include <exception>
#include <memory>

#include "platform/pdf/PdfReadability.h"
#include "platform/runtime/Interaction.h"
#include "platform/runtime/Runtime.h"
#include "platform/win32/Directories.h"
#include "platform/win32/NamedMutex.h"
#include "src/export/Composition.h"
#include "src/export/OutputNaming.h"
#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/ui/frmDialog.h"
#include "src/ui/frmMenue.h"
#include "src/util/Failures.h"
#include "src/util/Messages.h"

using namespace INI_Datei;

namespace {

// The host document's folder when the setting is empty or a single character.
bool folderUnset(const std::string& setting) {
    return runtime::Len(setting) <= 1;
}

// The name of the machine-wide lock of the export.
constexpr const char* ExportLock = "PDF-Kalmora.Ausdruck";

// A name with a folder separator would put the files of the run into
// another folder: a document may be named so ("..\..\Vertrag.docx").
bool hasSeparator(const std::string& name) {
    return name.find_first_of("\\/") != std::string::npos;
}

// Why pdftk could not read a letterhead, for the user.
std::string unreadableBecause(pdf::Readability readability) {
    switch (readability) {
        case pdf::Readability::Readable: break;
        case pdf::Readability::Missing: return "Die Datei lässt sich nicht öffnen.";
        case pdf::Readability::Folder: return "Der Pfad ist ein Ordner, keine PDF-Datei.";
        case pdf::Readability::Empty: return "Die Datei ist leer.";
        case pdf::Readability::NotPdf: return "Die Datei ist keine PDF-Datei.";
        case pdf::Readability::Damaged: return "Die PDF-Datei ist beschädigt.";
        case pdf::Readability::NoPages: return "Die PDF-Datei hat keine Seite.";
        case pdf::Readability::PasswordNeeded: return "Die PDF-Datei ist mit einem Kennwort geschützt.";
        case pdf::Readability::EncryptionUnreadable:
            return "Die PDF-Datei ist mit AES-256 verschlüsselt; pdftk kann sie nicht lesen.";
    }
    return {};
}

}  // namespace

void frmMenue::erzeugeFiles(com::Object& Application) {
    if (running_) {
        runtime::MsgBox(AlreadyRunning, runtime::vbOKOnly + runtime::vbExclamation, MessageTitle);
        return;
    }
    running_ = true;
    // The flag goes down however the run ends, also when a failure rises.
    const std::unique_ptr<bool, void (*)(bool*)> lowered(&running_, [](bool* running) { *running = false; });
    runExport(Application);
}

void frmMenue::runExport(com::Object& Application) {
    AddInFolder = WithTrailingBackslash(runtime::app().path);
    if (checkLetterheads() == Flow::End) return;

    HostKind.clear();
    ExportRun run;
    const std::string hostName = Application.value().toString();
    if (hostName != "Microsoft Word" && hostName != "Microsoft Excel") {
        // Neither host: no document checks, no names, and failures rise to the caller.
        if (common(Application, run) == Flow::Cleanup) cleanup(run);
        return;
    }

    const bool word = hostName == "Microsoft Word";
    HostKind = word ? "Word" : "Excel";
    const bool nothingToPrint = word ? Application.object("Documents").get("Count").toLong() == 0
                                     : Application.call("ExecuteExcel4Macro", {{"Get.Document(50)"}}).toDouble() == 0;
    if (nothingToPrint) {
        runtime::MsgBox("leeres Dokument - Ausdruck nicht erforderlich", runtime::vbOKOnly, MessageTitle);
        return;
    }

    // From here on every failure ends the run with the abort message and the cleanup.
    Flow flow = Flow::Continue;
    try {
        flow = hostDocument(Application, word ? HostDocument::Word : HostDocument::Excel, run);
        if (flow == Flow::Continue) flow = common(Application, run);
    } catch (const std::exception& error) {
        // A runtime error's text is its description.
        failed(error.what(), run);
        return;
    }
    if (flow == Flow::Cleanup) cleanup(run);
}

frmMenue::Flow frmMenue::checkLetterheads() {
    // The following-pages letterhead is tested first; only one message is shown.
    const std::string letterheads[] = {ReadIniString(SettingsFile(), Section, Keys::ZweiteSeite),
                                       ReadIniString(SettingsFile(), Section, Keys::ErsteSeite)};
    for (const std::string& letterhead : letterheads) {
        if (!com::isTrue(FileFolderExists(letterhead))) {
            // No title: the box shows the project's title.
            runtime::MsgBox("Datei " + letterhead + " nicht gefunden bitte \r\n" + AddInFolder + SettingsFileName +
                            "\r\n anpassen");
            return Flow::End;
        }
    }
    // A letterhead pdftk cannot read would only end in "no PDF was made"
    // after printing; the user learns which file and why before anything.
    for (const std::string& letterhead : letterheads) {
        const std::string reason = unreadableBecause(pdf::readability(letterhead));
        if (!reason.empty()) {
            runtime::MsgBox("Der Kopfbogen " + letterhead + " lässt sich nicht verwenden:\r\n" + reason,
                            runtime::vbCritical, MessageTitle);
            return Flow::End;
        }
    }
    return Flow::Continue;
}

frmMenue::Flow frmMenue::hostDocument(com::Object& Application, HostDocument host, ExportRun& run) {
    const char* const document = host == HostDocument::Word ? "ActiveDocument" : "ActiveWorkbook";
    if (saveLoop(Application, document) == Flow::End) return Flow::End;

    const com::Object stored = Application.object(document);
    if (stored.get("Path").toString().empty()) {
        runtime::MsgBox("Das Dokument hat keine Inhalt", runtime::vbCritical, MessageTitle);
        return Flow::End;
    }

    outputFolder(host == HostDocument::Word ? Keys::PDFAusgabePfadWord : Keys::PDFAusgabePfadExcel, stored, run);
    const std::string name = stored.get("Name").toString();
    if (hasSeparator(name)) {
        failed("Der Dokumentname " + name + " enthält \\ oder /; die PDF-Datei käme nicht in den Ausgabeordner.", run);
        return Flow::End;
    }
    run.baseName = host == HostDocument::Word
                       ? OutputNaming::wordBaseName(name)
                       : OutputNaming::excelBaseName(name, stored.object("ActiveSheet").get("Name").toString());
    return Flow::Continue;
}

frmMenue::Flow frmMenue::saveLoop(com::Object& Application, const char* document) {
    // Asked again after every save that did not leave the document saved.
    while (Application.object(document).get("Saved").toBoolean() == com::False) {
        iAntwort = static_cast<std::int16_t>(runtime::MsgBox("Zur Weiterarbeit muss das Dokument gespeichert werden!",
                                                             runtime::vbOKCancel + runtime::vbQuestion, MessageTitle));
        if (iAntwort == runtime::vbCancel) {
            runtime::MsgBox("Verarbeitung abgebrochen", runtime::vbOKOnly, MessageTitle);
            return Flow::End;
        }
        // The host may show its own save dialog; a failed or cancelled save
        // just brings the question back.
        ignoreFailure([&] { Application.object(document).call("Save"); });
    }
    return Flow::Continue;
}

void frmMenue::outputFolder(const char* settingKey, const com::Object& document, ExportRun& run) {
    std::string folder = ReadIniString(SettingsFile(), Section, settingKey);
    if (folderUnset(folder)) folder = document.get("Path").toString();
    folder = WithTrailingBackslash(folder);
    // The trailing backslash makes the last folder itself be created too.
    if (!com::isTrue(FileFolderExists(folder))) win32::MakeSureDirectoryPathExists(folder);
    run.outputFolder = folder;
}

frmMenue::Flow frmMenue::common(com::Object& Application, ExportRun& run) {
    KuerzelSuffix = ReadIniString(SettingsFile(), Section, Keys::Firmenkuerzel);
    if (!KuerzelSuffix.empty()) KuerzelSuffix = "_" + KuerzelSuffix;
    if (hasSeparator(KuerzelSuffix)) {
        failed("Das Firmenkürzel " + KuerzelSuffix.substr(1) +
                   " enthält \\ oder /; die PDF-Datei käme nicht in den Ausgabeordner.",
               run);
        return Flow::End;
    }

    runtime::ShowModal(*this);
    if (AuswahlIndex == Layout::None) {
        failed("", run);
        return Flow::End;
    }

    run.firstPart = run.baseName + KuerzelSuffix + "_$1";
    run.restPart = run.baseName + KuerzelSuffix + "_$2";
    run.target = run.outputFolder + run.baseName + KuerzelSuffix + ".pdf";
    const std::string printed = run.outputFolder + run.firstPart + ".pdf";
    const std::string printedRest = run.outputFolder + run.restPart + ".pdf";
    // pdftk writes the stamped pages beside the printed ones.
    run.intermediates = IntermediateFiles{printed, printedRest, printed + ".pdf", printedRest + ".pdf"};

    const Flow collision = settleCollision(run);
    if (collision != Flow::Continue) return collision;

    AddInFolder = WithTrailingBackslash(runtime::app().path);
    // Word and Excel printing at once would share the PDF printer and each
    // other's pdftk: the second is refused before it touches anything.
    run.machineLock = win32::NamedMutex::tryAcquire(ExportLock);
    if (!run.machineLock) {
        runtime::MsgBox(AlreadyRunning, runtime::vbOKOnly + runtime::vbExclamation, MessageTitle);
        return Flow::End;
    }
    const Flow prepared = prepareForPrinting(run);
    if (prepared != Flow::Continue) return prepared;
    DocumentPages = documentPages(Application);
    // A failed print has told the user already.
    if (!com::isTrue(erzeugePDF(Application, run.outputFolder, run.firstPart, run.restPart))) return Flow::End;
    return composeLetterhead(run);
}

std::int32_t frmMenue::documentPages(com::Object& Application) {
    const std::string hostName = Application.value().toString();
    if (hostName == "Microsoft Word") {
        constexpr std::int32_t wdStatisticPages = 2;
        return Application.object("ActiveDocument").call("ComputeStatistics", {{wdStatisticPages}}).toLong();
    }
    if (hostName == "Microsoft Excel")
        return static_cast<std::int32_t>(Application.call("ExecuteExcel4Macro", {{"Get.Document(50)"}}).toDouble());
    return 0;
}

void frmMenue::failed(const std::string& failureText, const ExportRun& run) {
    runtime::MsgBox("Abbruch\n\n Kein PDF-Ausdruck!\r\n" + failureText, runtime::vbCritical, MessageTitle);
    cleanup(run);
}

void frmMenue::cleanup(const ExportRun& run) {
    // A pdftk that still runs would hold the files. Only a run that holds the
    // machine's lock has started one; any other pdftk is another run's.
    if (run.machineLock) ShellWait(Composition::StopPdftk, com::False);
    runtime::DoEvents();
    if (!run.intermediates) return;
    for (const std::string& file : run.intermediates->all()) DeleteExistingFile(file);
}
