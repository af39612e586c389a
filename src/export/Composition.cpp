// The letterhead step of the export command and its command lines.
#include "src/export/Composition.h"

#include <random>
#include <sstream>

#include "platform/runtime/Interaction.h"
#include "platform/win32/ProcessApi.h"
#include "platform/win32/Shell.h"
#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/ui/frmMenue.h"

using namespace INI_Datei;

namespace Composition {

namespace {
const std::string Q = "\"";
}  // namespace

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

}  // namespace Composition

namespace {

const std::string QuoteRefused = "Der Pfad enthält ein Anführungszeichen und kann nicht verarbeitet werden: ";

constexpr int ParkingAttempts = 20;

// A hidden name beside the result that no file of the user's has: the old
// result waits there while the new one is made.
std::string parkedName(const std::string& result) {
    static std::mt19937_64 random{std::random_device{}()};
    const auto separator = result.find_last_of('\\');
    const std::string folder = separator == std::string::npos ? std::string() : result.substr(0, separator + 1);
    const std::string name = separator == std::string::npos ? result : result.substr(separator + 1);
    std::ostringstream parked;
    parked << folder << "." << name << "." << std::hex << random() << ".alt";
    return parked.str();
}

// The letterhead of the first (or only) printed file: the first-page one,
// unless every page goes on the following-pages letterhead.
std::string firstLetterhead(Layout layout) {
    return ReadIniString(SettingsFile(), Section,
                         layout == Layout::AllOnFollowing ? Keys::ZweiteSeite : Keys::ErsteSeite);
}

std::string followingLetterhead() {
    return ReadIniString(SettingsFile(), Section, Keys::ZweiteSeite);
}

std::string pdftkProgram() {
    return AddInFolder + "pdftk.exe";
}

}  // namespace

frmMenue::Flow frmMenue::prepareForPrinting(const ExportRun& run) {
    const IntermediateFiles& files = *run.intermediates;
    const std::vector<std::string> paths = {
        pdftkProgram(),       files.stampedFirst, files.stampedRest, run.resultFile(), firstLetterhead(AuswahlIndex),
        followingLetterhead()};
    if (const std::string* refused = Composition::pathWithQuote(paths)) {
        failed(QuoteRefused + *refused, run);
        return Flow::End;
    }
    // Files of these names from an earlier run must not end up in this result.
    for (const std::string& stale : files.all())
        if (!com::isTrue(DeleteExistingFile(stale))) return Flow::Cleanup;
    return Flow::Continue;
}

bool frmMenue::runPdftk(const std::string& cmdline, const std::string& output) {
    std::uint32_t exitCode = win32::STILL_ACTIVE;
    ShellWait(cmdline, com::False, &exitCode);
    runtime::DoEvents();
    if (exitCode == 0) return com::isTrue(FileFolderExists(output));
    // A pdftk that was ended or failed may have left half a file.
    DeleteExistingFile(output);
    return false;
}

frmMenue::Placed frmMenue::placeResult(const std::string& result, const std::function<bool()>& produce) {
    if (!com::isTrue(FileReplaceable(result))) return Placed::Refused;
    std::string parked;
    if (com::isTrue(FileFolderExists(result))) {
        // A name of this run's own: the move never replaces a file, and a
        // name that is taken is passed over.
        for (int attempt = 0; parked.empty() && attempt < ParkingAttempts; ++attempt) {
            const std::string candidate = parkedName(result);
            if (com::isTrue(FileFolderExists(candidate))) continue;
            if (!win32::MoveFileA(result, candidate)) {
                tellLocked(result);
                return Placed::Refused;
            }
            parked = candidate;
        }
        if (parked.empty()) {
            tellLocked(result);
            return Placed::Refused;
        }
    }
    // The old result comes back whatever happens while the new one is made.
    bool made = false;
    const auto restore = [&] {
        if (parked.empty()) return;
        if (made) {
            DeleteExistingFile(parked);
            return;
        }
        // Only what this run wrote under the result's name goes.
        if (com::isTrue(FileFolderExists(result))) DeleteExistingFile(result);
        win32::MoveFileA(parked, result);
    };
    try {
        made = produce();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return made ? Placed::New : Placed::None;
}

bool frmMenue::firstPartIsWhole(const std::string& printedRest) {
    if (AuswahlIndex != Layout::FirstAndFollowing || DocumentPages == 1) return true;
    // A document of more pages whose following pages never came (a printer
    // that is slow or stopped, a full disk) gives no result at all.
    if (DocumentPages > 1) return false;
    // A host that cannot count its pages: the first part is all there is
    // when no following pages were printed.
    return !com::isTrue(FileFolderExists(printedRest));
}

frmMenue::Flow frmMenue::composeLetterhead(const ExportRun& run) {
    const IntermediateFiles& files = *run.intermediates;
    const std::string result = run.resultFile();
    ShellWait(Composition::StopPdftk, com::False);
    if (!com::isTrue(DeleteExistingFile(files.stampedFirst))) return Flow::Cleanup;

    // The letterheads are read at the moment of use: a setting changed during
    // the run counts, so it is checked again.
    const std::string first = firstLetterhead(AuswahlIndex);
    const std::string following = followingLetterhead();
    if (const std::string* refused = Composition::pathWithQuote({first, following})) {
        failed(QuoteRefused + *refused, run);
        return Flow::End;
    }
    const bool firstStamped =
        runPdftk(Composition::backgroundCommand(pdftkProgram(), files.printedFirst, first, files.stampedFirst),
                 files.stampedFirst);

    DeleteExistingFile(files.stampedRest);
    const bool restStamped =
        runPdftk(Composition::backgroundCommand(pdftkProgram(), files.printedRest, following, files.stampedRest),
                 files.stampedRest);

    // Following pages that were printed but could not be stamped must not
    // quietly go missing from the result.
    Placed placed = Placed::None;
    if (restStamped) {
        placed = placeResult(result, [&] {
            return runPdftk(Composition::joinCommand(pdftkProgram(), files.stampedFirst, files.stampedRest, result),
                            result);
        });
    } else if (firstStamped && firstPartIsWhole(files.printedRest)) {
        placed = placeResult(result, [&] { return win32::MoveFileA(files.stampedFirst, result) != 0; });
    }
    if (placed == Placed::Refused) return Flow::Cleanup;
    if (placed == Placed::None) {
        failed("Es wurde keine PDF-Datei erzeugt: " + result, run);
        return Flow::End;
    }
    // The choice window is not shown at this point, so the viewer gets no owner.
    const std::intptr_t opened = win32::ShellExecuteA(0, "Open", result, "", "", win32::SW_SHOWMAXIMIZED);
    SetTopMost(static_cast<std::int32_t>(opened), com::True);
    return Flow::Cleanup;
}
