#pragma once
// The letterhead choice window. Its one shared instance also carries the
// export command and the routines it calls; each member is defined in the
// folder that owns it (export/, util/, ui/).
#include <cstdint>
#include <functional>
#include <string>

#include "platform/com/Boolean.h"
#include "platform/com/Object.h"
#include "platform/com/Variant.h"
#include "platform/runtime/Form.h"
#include "src/export/ExportRun.h"
#include "src/export/Layout.h"

class frmMenue final : public runtime::Form {
public:
    // The shared instance, created on first use.
    static frmMenue& instance();
    // Drops the shared instance, as unloading the library does.
    static void releaseInstance();

    frmMenue();

    // The chosen letterhead layout; None when the window closed without a choice.
    Layout AuswahlIndex = Layout::None;
    // The answer to the save question (1 OK, 2 Cancel).
    std::int16_t iAntwort = 0;
    // "_" and the company short code, or empty.
    std::string KuerzelSuffix;
    // The printers saved before printing.
    com::Variant vDefaultPrinter;
    com::Variant vExcelPrinter;

    // The export command: from the letterhead checks to the finished PDF.
    // Everything it has to say it says in message boxes. Failures before the
    // document checks, and every failure for a host that is neither Word nor
    // Excel, rise to the caller. A start while a run is still waiting (a
    // second click while events are handled) is refused with a message: both
    // runs would share this window's state and the same files.
    void erzeugeFiles(com::Object& Application);

    // Prints the host's document to PDF: output folder + sErsteSeite + ".pdf"
    // and, for the first-page layout, output folder + sRestSeiten + ".pdf".
    // False, after the abort message, when printing failed; the default
    // printer is then put back.
    com::Boolean erzeugePDF(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                            const std::string& sRestSeiten);
    // Makes the named printer the system's default printer. False only when
    // the printer management itself fails; True also when no printer matched.
    com::Boolean fSet_DefaultPrinter(const std::string& sPrinterName);

    // Starts a command line and waits, with no time limit, until its program
    // has ended, handling pending window events meanwhile. False, after a
    // message, when the program cannot be started. `exitCode`, when given,
    // receives the program's exit code (259 when it could not be started).
    com::Boolean ShellWait(const std::string& cmdline, com::Boolean bShowApp, std::uint32_t* exitCode = nullptr);

    // True for an existing file or folder.
    com::Boolean FileFolderExists(const std::string& Path);
    // True when no file of that name is left in the way afterwards; False,
    // after the locked-file message, when it could not be deleted.
    com::Boolean DeleteExistingFile(const std::string& fileName);
    // True when no file of that name exists or it could be deleted now; it is
    // left as it is. False, after the locked-file message, otherwise.
    com::Boolean FileReplaceable(const std::string& fileName);

    // Puts a window above all others (or back among them).
    void SetTopMost(std::int32_t hWnd, com::Boolean topMost);

    runtime::FormRole role() const override { return runtime::FormRole::Choice; }
    bool keyPreview() const override { return true; }
    std::string outcome() const override { return std::to_string(static_cast<int>(AuswahlIndex)); }

protected:
    std::vector<runtime::Control> design() const override;
    void onLoad() override;
    void onDoubleClick(std::string_view control) override;
    void onKeyPress(int& keyAscii) override;

private:
    bool running_ = false;
    // The pages the host reports for the document, asked for before
    // printing; 0 for a host that cannot tell.
    std::int32_t DocumentPages = 0;
    void runExport(com::Object& Application);

    // The steps of the export command (export/).
    enum class Flow { Continue, End, Cleanup };
    enum class HostDocument { Word, Excel };
    Flow checkLetterheads();
    // The pages of the document as the host counts them (Word's pages
    // statistic, Excel's page count of the active sheet).
    std::int32_t documentPages(com::Object& Application);
    Flow hostDocument(com::Object& Application, HostDocument host, ExportRun& run);
    Flow saveLoop(com::Object& Application, const char* document);
    void outputFolder(const char* settingKey, const com::Object& document, ExportRun& run);
    // The steps that every host goes through: suffix, choice, names, printing.
    Flow common(com::Object& Application, ExportRun& run);
    // Settles an existing target: remembered answer or the question.
    Flow settleCollision(ExportRun& run);
    // Refuses paths that would break a command line, and removes files of
    // this run's intermediate names that an earlier run left behind.
    Flow prepareForPrinting(const ExportRun& run);
    // Lays the letterheads under the printed pages, puts the result in place
    // and opens it.
    Flow composeLetterhead(const ExportRun& run);
    // The locked-file message of DeleteExistingFile.
    void tellLocked(const std::string& fileName);
    // Runs a pdftk command line; true when pdftk ended normally and `output`
    // exists. Whatever a pdftk that failed or was ended wrote is deleted.
    bool runPdftk(const std::string& cmdline, const std::string& output);
    // Writes the result by `produce` while the old result of that name waits
    // beside it under a hidden name of this run's own; the old one comes back
    // unless a new one was made. No other file is ever touched.
    enum class Placed { New, None, Refused };
    Placed placeResult(const std::string& result, const std::function<bool()>& produce);
    // Whether the stamped first part is the whole result: in the layouts of
    // one print job, and for a document of one page.
    bool firstPartIsWhole(const std::string& printedRest);
    // Tells the user why no PDF was made, then cleans up.
    void failed(const std::string& failureText, const ExportRun& run);
    // Deletes the run's intermediate files; the result always stays.
    void cleanup(const ExportRun& run);

    // Printing (printing/).
    enum class PrintJob { FirstPage, FollowingPages, AllPages };
    void PrintViaPDFCreator(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                            const std::string& sRestSeiten);
    void printJob(com::Object& Application, PrintJob job, const std::string& lastPage);
    // Polls the PDF printer until it reports a file whose path holds `name`,
    // at most 40 times with 200 ms pauses.
    void waitForOutput(const com::Object& pdfCreator, const std::string& name);

    // The choice: the highlighted entry becomes the letterhead mode.
    void choose();
};
