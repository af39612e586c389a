#include "src/export/Parking.h"

#include <algorithm>
#include <limits>
#include <random>
#include <sstream>

#include "platform/pdf/PdfReadability.h"
#include "platform/runtime/Interaction.h"
#include "platform/win32/ProcessApi.h"
#include "src/export/OutputNaming.h"
#include "src/util/FileChecks.h"
#include "src/util/Messages.h"

using namespace FileChecks;

namespace {

constexpr int ParkingAttempts = 20;

// Cuts `text` to at most `bytes` bytes without splitting a UTF-8 character.
std::string cutTo(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

std::string parkingName(const std::string& path) {
    static std::mt19937_64 random{std::random_device{}()};
    const auto separator = path.find_last_of('\\');
    const std::string folder = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    std::ostringstream tail;
    tail << "." << std::hex << random() << ".alt";
    const std::size_t room = OutputNaming::LongestName - 1 - tail.str().size();
    return folder + "." + cutTo(name, room) + tail.str();
}

const RunJournal::Made* madeAt(const RunJournal::Record& record, const std::string& path) {
    const auto made = std::find_if(record.made.begin(), record.made.end(),
                                   [&](const RunJournal::Made& each) { return each.path == path; });
    return made == record.made.end() ? nullptr : &*made;
}

}  // namespace

namespace Parking {

bool taken(const std::string& path) {
    return com::isTrue(FileFolderExists(path));
}

std::optional<std::string> freeParkingName(const std::string& path) {
    for (int attempt = 0; attempt < ParkingAttempts; ++attempt)
        if (std::string candidate = parkingName(path); !taken(candidate)) return candidate;
    return std::nullopt;
}

bool putBack(const RunJournal::Parked& parked) {
    return !taken(parked.original) && parked.identity.matches(parked.parked) &&
           win32::MoveFileA(parked.parked, parked.original);
}

bool wholeResult(const std::string& path, std::int32_t pages) {
    const pdf::Inspection result = pdf::inspect(path, std::numeric_limits<std::uintmax_t>::max());
    return result.readability == pdf::Readability::Readable &&
           (pages <= 0 || result.pages == static_cast<std::size_t>(pages));
}

void settle(const RunJournal::Record& record, NewResult newResult) {
    const std::string& result = record.result();
    for (const RunJournal::Made& made : record.made)
        if (made.path != result && made.identity.matches(made.path)) DeleteExistingFile(made.path);
    // A whole new result replaces the old one, as the run would have.
    bool kept = false;
    if (const RunJournal::Made* made = madeAt(record, result); made && made->identity.matches(result)) {
        kept = newResult == NewResult::KeptIfWhole && wholeResult(result, record.pages);
        if (!kept) DeleteExistingFile(result);
    }
    for (const RunJournal::Parked& parked : record.parked) {
        if (!parked.identity.matches(parked.parked)) continue;
        if (parked.original == result && kept) {
            DeleteExistingFile(parked.parked);
            continue;
        }
        if (!putBack(parked)) {
            runtime::MsgBox("Die Datei " + parked.original + " lässt sich nicht zurücklegen; sie liegt unter " +
                                parked.parked + ".",
                            runtime::vbExclamation, MessageTitle);
        }
    }
}

}  // namespace Parking
