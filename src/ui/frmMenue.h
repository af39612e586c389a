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
#include "src/printing/Layout.h"
#include "src/printing/Printing.h"
#include "src/util/FileChecks.h"
#include "src/util/ShellWait.h"

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

    // The routines the window carries for the export command; each lives in
    // the folder that owns it (Printing.h, ShellWait.h, FileChecks.h).
    com::Boolean erzeugePDF(com::Object& Application, const std::string& sPath, const std::string& sErsteSeite,
                            const std::string& sRestSeiten) {
        return Printing::erzeugePDF(Application, sPath, sErsteSeite, sRestSeiten,
                                    {AuswahlIndex, DocumentPages, vDefaultPrinter, vExcelPrinter});
    }
    com::Boolean fSet_DefaultPrinter(const std::string& sPrinterName) {
        return Printing::fSet_DefaultPrinter(sPrinterName);
    }
    com::Boolean ShellWait(const std::string& cmdline, com::Boolean bShowApp, std::uint32_t* exitCode = nullptr) {
        return ::ShellWait(cmdline, bShowApp, exitCode);
    }
    com::Boolean FileFolderExists(const std::string& Path) { return FileChecks::FileFolderExists(Path); }
    com::Boolean DeleteExistingFile(const std::string& fileName) { return FileChecks::DeleteExistingFile(fileName); }
    com::Boolean FileReplaceable(const std::string& fileName) { return FileChecks::FileReplaceable(fileName); }

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
    void tellLocked(const std::string& fileName) { FileChecks::tellLocked(fileName); }
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

    // The choice: the highlighted entry becomes the letterhead mode.
    void choose();
};
