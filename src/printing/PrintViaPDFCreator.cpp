// One print run on the PDF printer: start it, have it save every job without
// a dialog, print one or two jobs, wait for the files, end it, put the
// printers back. A printer that hangs is ended and started anew, once.
#include "platform/com/Activation.h"
#include "platform/runtime/Interaction.h"
#include "platform/win32/Sleep.h"
#include "src/printing/Printing.h"
#include "src/printing/SavedDefaultPrinter.h"
#include "src/util/Failures.h"
#include "src/util/FileChecks.h"
#include "src/util/Messages.h"
#include "src/util/ShellWait.h"

namespace {

// How long one wait may take, and how often the printer is asked meanwhile.
constexpr int TimeBudgetSeconds = 10;
constexpr int NominalPollMilliseconds = 250;
constexpr std::int16_t PollLimit = TimeBudgetSeconds * 1000 / NominalPollMilliseconds;
// The real pause is shorter than the nominal interval.
constexpr win32::DWORD PauseMilliseconds = 200;
constexpr win32::DWORD SettleMilliseconds = 200;
const std::string LastPage = "999";
const std::string PdfPrinter = Printing::PdfPrinterName;

void setOption(const com::Object& pdfCreator, const std::string& option, com::Variant value) {
    pdfCreator.put("cOption", std::move(value), {{option}});
}

enum class PrintJob { FirstPage, FollowingPages, AllPages };

// The host's failure to print its document (deleted, unreadable), with the
// reason naming the document.
class DocumentNotPrinted : public com::Error {
public:
    using com::Error::Error;
};

void printJobOnce(com::Object& Application, Host host, PrintJob job, const std::string& lastPage) {
    if (host == Host::Excel) {
        const std::string from = job == PrintJob::FollowingPages ? "2" : "1";
        const std::string to = job == PrintJob::FirstPage ? "1" : lastPage;
        Application.object("ActiveWorkbook")
            .object("ActiveSheet")
            .call("PrintOut", {{}, {{"From", from}, {"To", to}, {"ActivePrinter", PdfPrinter}}});
        return;
    }
    // Word prints to its active printer, which is the PDF printer by now.
    com::Arguments args{{}, {{"Background", com::False}}};
    if (job == PrintJob::FirstPage) {
        args.named.push_back({"Range", std::int16_t{4}});  // a list of pages
        args.named.push_back({"Pages", "1"});
    } else if (job == PrintJob::FollowingPages) {
        args.named.push_back({"Range", std::int16_t{3}});  // from - to
        args.named.push_back({"From", "2"});
        args.named.push_back({"To", lastPage});
    }
    Application.object("ActiveDocument").call("PrintOut", args);
}

// A document that is gone by now (its window closed under the run) is named
// as it was at the press, `pressedName`.
void printJob(com::Object& Application, Host host, PrintJob job, const std::string& lastPage,
              const std::string& pressedName) {
    try {
        printJobOnce(Application, host, job, lastPage);
    } catch (const com::Error& error) {
        std::string document;
        ignoreFailure([&] {
            document = Application.object(host == Host::Excel ? "ActiveWorkbook" : "ActiveDocument")
                           .get("FullName")
                           .toString();
        });
        if (document.empty()) document = pressedName;
        throw DocumentNotPrinted(error.number(),
                                 "Das Dokument \"" + document + "\" lässt sich nicht drucken: " + error.description());
    }
}

// Whether the printer's report names the file `name`; an empty name is
// always there.
bool reports(const std::string& reported, const std::string& name) {
    return name.empty() || reported.find(name) != std::string::npos;
}

// Why the printer could not write its last file, as it tells; empty when
// it wrote every file or cannot tell.
std::string whyNotWritten(const com::Object& pdfCreator) {
    std::string why;
    ignoreFailure([&] { why = pdfCreator.get("cErrorDetail", {{"Description"}}).toString(); });
    return why;
}

// What the printer did with the run's jobs.
struct Printed {
    std::string reported;   // the path it reported last; empty when none
    bool answered = false;  // it wrote the run's first file
    // Why it could not write one of the run's files, as it told: it works,
    // but writing again would fail again.
    std::string failure;
};

// Polls the PDF printer until it reports a file whose path holds `name`, at
// most 40 times with 200 ms pauses, or tells why it could not write that
// file (a failure other than `earlier`, which it told before the run's
// jobs); the path it reported last.
std::string waitForOutput(const com::Object& pdfCreator, const std::string& name, const std::string& earlier,
                          Printed& printed) {
    std::int16_t polls = 0;
    for (;;) {
        // Both conditions are looked at every time, so the printer is asked
        // once more after the last pause.
        std::string reported = pdfCreator.get("cOutputFilename").toString();
        const bool timeLeft = polls < PollLimit;
        const bool notYet = !reports(reported, name);
        if (!(timeLeft && notYet)) return reported;
        if (const std::string why = whyNotWritten(pdfCreator); why != earlier && reports(why, name)) {
            printed.failure = why;
            return reported;
        }
        ++polls;
        win32::Sleep(PauseMilliseconds);
    }
}

// The option that makes the printer take only the jobs of one document.
const std::string JobTitleOption = "AutosaveJobTitle";

// Prints the run's jobs and waits for the printer's files.
Printed printAll(com::Object& pdfCreator, com::Object& Application, const std::string& sPath,
                 const std::string& sErsteSeite, const std::string& sRestSeiten, const Printing::PrintRun& run) {
    setOption(pdfCreator, "UseAutosave", std::int16_t{1});
    setOption(pdfCreator, "UseAutosaveDirectory", std::int16_t{1});
    setOption(pdfCreator, "AutosaveDirectory", sPath);
    setOption(pdfCreator, "AutosaveFormat", std::int16_t{0});  // PDF
    // Another program's job arriving meanwhile is not the document's page,
    // and stays with the printer for its owner, also when the cache is cleared.
    setOption(pdfCreator, JobTitleOption, run.documentTitle);
    if (run.defaultPrinter == Printing::DefaultPrinterSwitch::ToPdfPrinter)
        pdfCreator.put("cDefaultPrinter", PdfPrinter);
    pdfCreator.put("cPrinterStop", com::False);
    pdfCreator.call("cClearCache");
    setOption(pdfCreator, "AutosaveFilename", sErsteSeite);
    const std::string earlier = whyNotWritten(pdfCreator);

    // Page 999 is the last one asked for, unless the document has more.
    const std::string lastPage = run.documentPages > 999 ? std::to_string(run.documentPages) : LastPage;
    // A printer that has not written the first file hangs, whatever it wrote
    // before (for another program, or before it stopped): no more jobs for it.
    Printed printed;
    printed.answered = true;
    if (run.layout == Layout::FirstAndFollowing) {
        printJob(Application, run.host, PrintJob::FirstPage, lastPage, run.documentTitle);
        printed.answered = reports(waitForOutput(pdfCreator, sErsteSeite, earlier, printed), sErsteSeite);
        // A document of one page has no following pages to print or wait for.
        if (printed.answered && run.documentPages != 1) {
            runtime::DoEvents();
            win32::Sleep(SettleMilliseconds);
            runtime::DoEvents();
            setOption(pdfCreator, "AutosaveFilename", sRestSeiten);
            printJob(Application, run.host, PrintJob::FollowingPages, lastPage, run.documentTitle);
            waitForOutput(pdfCreator, sRestSeiten, earlier, printed);
        }
    } else if (run.layout == Layout::AllOnFirst || run.layout == Layout::AllOnFollowing) {
        printJob(Application, run.host, PrintJob::AllPages, lastPage, run.documentTitle);
        printed.answered = reports(waitForOutput(pdfCreator, sErsteSeite, earlier, printed), sErsteSeite);
    }
    printed.reported = pdfCreator.get("cOutputFilename").toString();
    return printed;
}

// Ends the printer that printed for the run. It holds the jobs that came
// meanwhile and takes every program's jobs again, so that another program's
// job goes to its owner and never under the run's names.
void endPrinter(com::Object& pdfCreator) {
    ignoreFailure([&] { pdfCreator.put("cPrinterStop", com::True); });
    ignoreFailure([&] { setOption(pdfCreator, JobTitleOption, std::string()); });
    pdfCreator.call("cClose");
}

// What a failure of the PDF printer tells the user.
com::Error printerFailure(const com::Error& error) {
    return com::Error(error.number(), Printing::PdfPrinterInText() + " meldet einen Fehler: " + error.description());
}

// The PDF printer, started and ready for jobs; nothing when it does not start.
com::Object startedPrinter() {
    com::Object pdfCreator;
    try {
        pdfCreator = com::CreateObject("PDFCreator.clsPDFCreator");
    } catch (const com::Error& error) {
        // Not registered, or its library cannot be loaded.
        throw com::Error(error.number(),
                         Printing::PdfPrinterInText() + " lässt sich nicht starten: " + error.description());
    }
    try {
        if (com::isTrue(pdfCreator.call("cStart", {{"/NoProcessingAtStartup"}}).toBoolean())) return pdfCreator;
    } catch (const com::Error& error) {
        throw printerFailure(error);
    }
    return {};
}

// One print through a started printer, which it ends. A printer that did not
// write the run's first file, and does not say why, hangs and is left
// running: asking it to end would only wait for it in vain.
Printed printedAndEnded(com::Object& pdfCreator, com::Object& Application, const std::string& sPath,
                        const std::string& sErsteSeite, const std::string& sRestSeiten, const Printing::PrintRun& run) {
    try {
        try {
            Printed printed = printAll(pdfCreator, Application, sPath, sErsteSeite, sRestSeiten, run);
            if (printed.answered || !printed.failure.empty()) endPrinter(pdfCreator);
            return printed;
        } catch (...) {
            // A failed print ends the printer as a successful one does, so that
            // no printer process stays behind; its failing to end adds nothing.
            ignoreFailure([&] { endPrinter(pdfCreator); });
            throw;
        }
    } catch (const DocumentNotPrinted&) {
        throw;
    } catch (const com::Error& error) {
        throw printerFailure(error);
    }
}

struct Attempt {
    bool started = false;
    Printed printed;
};

Attempt printOnce(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                  const std::string& sRestSeiten, const Printing::PrintRun& run) {
    com::Object pdfCreator = startedPrinter();
    if (pdfCreator.isNothing()) return {};
    return {true, printedAndEnded(pdfCreator, Application, sPath, sErsteSeite, sRestSeiten, run)};
}

// A printer that does not start or writes nothing hangs, and would keep
// every later start from working.
void endHungPrinter() {
    ShellWait("taskkill /f /im PDFCreator.exe", AppWindow::Hidden);
    runtime::DoEvents();
}

}  // namespace

namespace Printing {

void PrintViaPDFCreator(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                        const std::string& sRestSeiten, const PrintRun& run) {
    // A hung printer is ended, and a new one has one more try. A printer
    // that could not write for a full output disk, or that says why it could
    // not write, does not hang.
    const auto hung = [](const Attempt& tried) { return !tried.printed.answered && tried.printed.failure.empty(); };
    Attempt attempt = printOnce(Application, sPath, sErsteSeite, sRestSeiten, run);
    std::string why;  // why nothing could be written
    if (hung(attempt) && (why = FileChecks::WhyNoRoom(sPath)).empty()) {
        endHungPrinter();
        attempt = printOnce(Application, sPath, sErsteSeite, sRestSeiten, run);
        if (hung(attempt)) endHungPrinter();
    }
    if (!attempt.started)
        throw com::Error(com::errors::CannotCreateObject, PdfPrinterInText() + " lässt sich nicht starten.");

    PutBackDefaultPrinter(run);
    if (run.host == Host::Excel) Application.put("ActivePrinter", run.vExcelPrinter);

    if (attempt.printed.answered) return;
    if (why.empty()) why = FileChecks::WhyNoRoom(sPath);
    // A full folder is named as such; otherwise the printer's own reason.
    if (why.empty()) why = attempt.printed.failure;
    if (attempt.printed.reported.empty() || !attempt.printed.failure.empty())
        runtime::MsgBox("Beim Speichern als pdf ist ein Fehler aufgetreten!" + (why.empty() ? "" : "\r\n" + why),
                        runtime::vbCritical, MessageTitle);
    // Nothing of this document can come now: the print failed, and says why.
    if (!why.empty()) throw com::Error(com::errors::PathFileAccessError, why);
    throw com::Error(com::errors::ServerUnavailable, PdfPrinterInText() +
                                                         " antwortet nicht: auch neu gestartet hat er " + sPath +
                                                         sErsteSeite + ".pdf nicht geschrieben.");
}

}  // namespace Printing
