#include "src/export/Composition.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/runtime/Interaction.h"
#include "platform/win32/Files.h"
#include "platform/win32/ProcessApi.h"
#include "platform/win32/Shell.h"
#include "src/export/Letterheads.h"
#include "src/export/ResultPlacement.h"
#include "src/settings/INI_Datei.h"
#include "src/util/FileChecks.h"
#include "src/util/SetTopMost.h"
#include "src/util/ShellWait.h"

using namespace FileChecks;
using ResultPlacement::Placed;

namespace {

const std::string Q = "\"";
const std::string QuoteRefused = "Der Pfad enthält ein Anführungszeichen und kann nicht verarbeitet werden: ";

std::string pdftkProgram() {
    return INI_Datei::AddInFolder + "pdftk.exe";
}

// What pdftk writes on its standard error, beside the run's other notes.
std::string pdftkErrors() {
    return INI_Datei::AddInFolder + "pdf-Kalmora.pdftk";
}

// The start of what pdftk wrote on its standard error (a Java stack trace
// can be long), the file removed.
std::string pdftkSaid() {
    constexpr std::size_t Longest = 400;
    // Only the file pdftk wrote: a pipe at its name would never end the read.
    std::error_code error;
    if (std::filesystem::symlink_status(win32::hostPath(pdftkErrors()), error).type() !=
        std::filesystem::file_type::regular)
        return {};
    std::ifstream file(win32::hostPath(pdftkErrors()), std::ios::binary);
    std::string text(Longest + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    file.close();
    win32::DeleteFileA(pdftkErrors());
    const bool cut = text.size() > Longest;
    if (cut) {
        // Not in the middle of a character.
        text.resize(Longest);
        const auto byte = [&] { return static_cast<unsigned char>(text.back()); };
        while (!text.empty() && (byte() & 0xC0) == 0x80) text.pop_back();
        if (!text.empty() && byte() >= 0xC0) text.pop_back();
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return cut ? text + " …" : text;
}

// How pdftk ended with `exitCode`, and what it said, for the user.
std::string pdftkEnded(std::uint32_t exitCode, const std::string& said) {
    // Codes above 128 are those of a program that was ended (taskkill /f, a
    // crash); another export ends every pdftk of the user.
    constexpr std::uint32_t Ended = 128;
    const std::string how = exitCode > Ended
                                ? "pdftk wurde während der Arbeit beendet (Code " + std::to_string(exitCode) + ")"
                                : "pdftk endete mit dem Code " + std::to_string(exitCode);
    return how + (said.empty() ? " und meldete nichts." : " und meldete:\r\n" + said);
}

// Whether the stamped first part is the whole result: in the layouts of
// one print job, and for a document of one page.
bool firstPartIsWhole(const ExportRun& run) {
    if (run.AuswahlIndex != Layout::FirstAndFollowing || run.DocumentPages == 1) return true;
    // A document of more pages whose following pages never came (a printer
    // that is slow or stopped, a full disk) gives no result at all.
    if (run.DocumentPages > 1) return false;
    // A host that cannot count its pages: the first part is all there is
    // when no following pages were printed.
    return !com::isTrue(FileFolderExists(run.intermediates->printedRest));
}

// Why the printer's file `printed` is missing, for the user.
std::string whyNotPrinted(const ExportRun& run, const std::string& printed) {
    if (std::string noRoom = WhyNoRoom(run.outputFolder); !noRoom.empty()) return noRoom;
    return "Der PDF-Drucker hat " + printed + " nicht geschrieben.";
}

}  // namespace

namespace Composition {

std::string backgroundCommand(const std::string& pdftk, const std::string& input, const std::string& letterhead,
                              const std::string& output) {
    return Q + pdftk + Q + " " + Q + input + Q + " " + "background" + " " + Q + letterhead + Q + " output " + Q +
           output + Q;
}

std::string joinCommand(const std::string& pdftk, const std::string& first, const std::string& following,
                        const std::string& output) {
    return Q + pdftk + Q + " " + "A=" + Q + first + Q + " B=" + Q + following + Q + " " + "cat A B output" + " " + Q +
           output + Q;
}

const std::string* pathWithQuote(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        if (path.find('"') != std::string::npos) return &path;
    return nullptr;
}

std::chrono::milliseconds pdftkLimit(std::int32_t pages) {
    constexpr std::int32_t UnknownPages = 999;
    std::chrono::milliseconds base = std::chrono::minutes(1);
    if (const char* seconds = std::getenv("KALMORA_PDFTK_SECONDS"))
        base = std::chrono::seconds(std::strtol(seconds, nullptr, 10));
    return base + std::chrono::milliseconds(250) * (pages > 0 ? pages : UnknownPages);
}

PdftkRun runPdftk(const std::string& cmdline, const std::string& output, std::chrono::milliseconds limit,
                  std::string* why) {
    std::uint32_t exitCode = win32::STILL_ACTIVE;
    const Waited waited = ShellWait(cmdline, WaitLimit{limit, StopPdftk, pdftkErrors()}, exitCode);
    runtime::DoEvents();
    const std::string said = waited == Waited::NotStarted ? std::string() : pdftkSaid();
    if (waited == Waited::Ended && exitCode == 0 && com::isTrue(FileFolderExists(output))) return PdftkRun::Made;
    // Asked before the half file goes, which may be what filled the disk.
    std::string reason = WhyNoRoom(output.substr(0, output.rfind('\\') + 1));
    // A pdftk that was ended or failed may have left half a file.
    DeleteExistingFile(output);
    if (waited == Waited::Stopped) return PdftkRun::TooLong;
    if (why)
        *why = !reason.empty()                ? reason
               : waited == Waited::NotStarted ? whyNotStarted(cmdline)
               : exitCode != 0                ? pdftkEnded(exitCode, said)
                                              : "pdftk meldete keinen Fehler, schrieb aber keine Datei " + output + ".";
    return PdftkRun::Failed;
}

Decision prepareForPrinting(ExportRun& run) {
    const IntermediateFiles& files = *run.intermediates;
    // The result first: a quote in the output folder or the company code is
    // named where the user sees it, not in a file of the run's own.
    const std::vector<std::string> paths = {
        run.resultFile(),         pdftkProgram(),     Letterheads::first(run.AuswahlIndex),
        Letterheads::following(), files.stampedFirst, files.stampedRest};
    if (const std::string* refused = pathWithQuote(paths)) return {Flow::Abort, QuoteRefused + *refused};
    // Whatever stands at these names (an earlier run's leftovers, a file or
    // link of the user's) must neither end up in this result nor be lost,
    // nor be written through: it waits aside until the cleanup.
    for (const std::string& name : files.all())
        if (!run.files->park(name)) return Flow::Cleanup;
    return Flow::Continue;
}

Decision composeLetterhead(ExportRun& run) {
    const IntermediateFiles& files = *run.intermediates;
    const std::string result = run.resultFile();
    ShellWait(StopPdftk, AppWindow::Hidden);

    // The letterheads are read at the moment of use: a setting changed during
    // the run counts, so it is checked again.
    const std::string first = Letterheads::first(run.AuswahlIndex);
    const std::string following = Letterheads::following();
    if (const std::string* refused = pathWithQuote({first, following})) return {Flow::Abort, QuoteRefused + *refused};
    RunFiles& made = *run.files;
    // What the PDF printer wrote is the run's; pdftk writes into files the
    // run made for it, so that they are known as the run's while it writes.
    made.made(files.printedFirst);
    made.made(files.printedRest);
    const auto limit = pdftkLimit(run.DocumentPages);
    const auto intoRunFile = [&](const std::string& command, const std::string& output, std::string* why) {
        if (!made.expect(output)) {
            if (why) *why = "An der Stelle von " + output + " liegt schon eine Datei eines anderen Programms.";
            return PdftkRun::Failed;
        }
        const PdftkRun ran = runPdftk(command, output, limit, why);
        made.made(output);
        return ran;
    };
    const std::string tookTooLong = "pdftk brauchte länger als " +
                                    std::to_string(std::chrono::ceil<std::chrono::seconds>(limit).count()) +
                                    " Sekunden, um ";
    // Why the first step that failed made nothing, for the user.
    std::string failedWhy;
    const auto stamp = [&](const std::string& printed, const std::string& letterhead, const std::string& stamped) {
        std::string why;
        const PdftkRun stampRun =
            intoRunFile(backgroundCommand(pdftkProgram(), printed, letterhead, stamped), stamped, &why);
        // pdftk stumbles over pages that were never printed, and over a
        // letterhead damaged since the check at the start.
        if (stampRun == PdftkRun::Failed && !com::isTrue(FileFolderExists(printed)))
            why = whyNotPrinted(run, printed);
        else if (std::string refused = Letterheads::refusal(letterhead);
                 stampRun == PdftkRun::Failed && !refused.empty())
            why = std::move(refused);
        if (failedWhy.empty()) failedWhy = why;
        return stampRun;
    };
    const PdftkRun firstRun = stamp(files.printedFirst, first, files.stampedFirst);
    if (firstRun == PdftkRun::TooLong)
        return {Flow::Abort, tookTooLong + "den Kopfbogen " + first + " unter " + files.printedFirst +
                                 " zu legen, und wurde beendet."};
    const PdftkRun restRun = stamp(files.printedRest, following, files.stampedRest);
    if (restRun == PdftkRun::TooLong)
        return {Flow::Abort, tookTooLong + "den Kopfbogen " + following + " unter " + files.printedRest +
                                 " zu legen, und wurde beendet."};
    const bool firstStamped = firstRun == PdftkRun::Made;
    const bool restStamped = restRun == PdftkRun::Made;

    // Following pages that were printed but could not be stamped must not
    // quietly go missing from the result.
    Placed placed = Placed::None;
    std::string why;
    PdftkRun joined = PdftkRun::Failed;
    if (restStamped) {
        const auto join = [&] {
            joined = intoRunFile(joinCommand(pdftkProgram(), files.stampedFirst, files.stampedRest, result), result,
                                 failedWhy.empty() ? &failedWhy : nullptr);
            return joined == PdftkRun::Made;
        };
        placed = ResultPlacement::placeResult(made, result, run.DocumentPages, join, why);
    } else if (firstStamped && firstPartIsWhole(run)) {
        const auto move = [&] { return made.move(files.stampedFirst, result); };
        placed = ResultPlacement::placeResult(made, result, run.DocumentPages, move, why);
    }
    switch (placed) {
        case Placed::New: break;
        case Placed::Refused: return Flow::Cleanup;
        case Placed::None:
            if (joined == PdftkRun::TooLong)
                return {Flow::Abort, tookTooLong + "die Seiten zu " + result + " zusammenzufügen, und wurde beendet."};
            return {Flow::Abort, "Es wurde keine PDF-Datei erzeugt: " + result + "\r\n" +
                                     (failedWhy.empty() ? whyNotPrinted(run, files.printedRest) : failedWhy)};
        case Placed::Rejected: return {Flow::Abort, "Es wurde keine PDF-Datei erzeugt: " + result + "\r\n" + why};
    }
    // The choice window is not shown at this point, so the viewer gets no owner.
    const std::intptr_t opened = win32::ShellExecuteA(0, "Open", result, "", "", win32::SW_SHOWMAXIMIZED);
    SetTopMost(static_cast<std::int32_t>(opened), com::True);
    return Flow::Cleanup;
}

}  // namespace Composition
