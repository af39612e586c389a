#include "src/export/ResultPlacement.h"

#include <limits>

#include "platform/pdf/PdfReadability.h"
#include "src/util/FileChecks.h"

using namespace FileChecks;

namespace {

std::string pageCount(std::size_t pages) {
    return pages == 1 ? "1 Seite" : std::to_string(pages) + " Seiten";
}

// What is wrong with the new result; empty when nothing is.
std::string flaw(const std::string& result, std::int32_t pages) {
    const pdf::Inspection made = pdf::inspect(result, std::numeric_limits<std::uintmax_t>::max());
    if (made.readability != pdf::Readability::Readable) return "Die erzeugte Datei ist keine lesbare PDF-Datei.";
    if (pages > 0 && made.pages != static_cast<std::size_t>(pages))
        return "Die erzeugte PDF-Datei hat " + pageCount(made.pages) + ", das Dokument hat " +
               pageCount(static_cast<std::size_t>(pages)) + ".";
    return {};
}

}  // namespace

namespace ResultPlacement {

Placed placeResult(RunFiles& files, const std::string& result, std::int32_t pages, const std::function<bool()>& produce,
                   std::string& why) {
    if (!com::isTrue(FileReplaceable(result))) return Placed::Refused;
    if (!files.park(result)) return Placed::Refused;
    // The old file comes back whatever happens while the new one is made.
    bool made = false;
    try {
        made = produce();
        if (made) {
            why = flaw(result, pages);
            made = why.empty();
        }
    } catch (...) {
        files.undoResult();
        throw;
    }
    if (made) {
        files.keepResult();
        return Placed::New;
    }
    files.undoResult();
    return why.empty() ? Placed::None : Placed::Rejected;
}

}  // namespace ResultPlacement
