#include "src/export/Parking.h"

#include <algorithm>
#include <limits>
#include <random>
#include <sstream>

#include "platform/runtime/Interaction.h"
#include "platform/tools/pdftk/PdfReadability.h"
#include "platform/win32/ProcessApi.h"
#include "src/export/OutputNaming.h"
#include "src/util/FileChecks.h"
#include "src/util/Messages.h"

using namespace FileChecks;

namespace {

constexpr int ParkingAttempts = 20;

bool taken(const std::string& path) {
    return com::isTrue(FileFolderExists(path));
}

// Cuts `text` to at most `bytes` bytes without splitting a UTF-8 character.
std::string cutTo(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

// A hidden name beside `path` that no file of the user's has. A long name is
// cut so that the hidden one still fits the file system.
std::string parkedName(const std::string& path) {
    static std::mt19937_64 random{std::random_device{}()};
    const auto separator = path.find_last_of('\\');
    const std::string folder = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    std::ostringstream tail;
    tail << "." << std::hex << random() << ".alt";
    const std::size_t room = OutputNaming::LongestName - 1 - tail.str().size();
    return folder + "." + cutTo(name, room) + tail.str();
}

}  // namespace

namespace Parking {

std::optional<std::string> clear(const std::string& path) {
    if (!taken(path)) return std::string();
    // A name of this run's own: the move never replaces a file, and a name
    // that is taken is passed over.
    for (int attempt = 0; attempt < ParkingAttempts; ++attempt) {
        const std::string candidate = parkedName(path);
        if (taken(candidate)) continue;
        RunJournal::noteParked({path, candidate});
        if (!win32::MoveFileA(path, candidate)) break;
        return candidate;
    }
    tellLocked(path);
    return std::nullopt;
}

bool putBack(const RunJournal::Parked& parked) {
    return !taken(parked.original) && win32::MoveFileA(parked.parked, parked.original);
}

bool wholeResult(const std::string& path, std::int32_t pages) {
    const pdf::Inspection result = pdf::inspect(path, std::numeric_limits<std::uintmax_t>::max());
    return result.readability == pdf::Readability::Readable &&
           (pages <= 0 || result.pages == static_cast<std::size_t>(pages));
}

void recover(const RunJournal::Note& note) {
    // The dead run parked whatever stood at these names first: what stands
    // there now is its own.
    for (const std::string& made : note.made) DeleteExistingFile(made);
    const bool resultParked =
        std::any_of(note.parked.begin(), note.parked.end(),
                    [&](const RunJournal::Parked& parked) { return parked.original == note.result; });
    for (const RunJournal::Parked& parked : note.parked) {
        if (!taken(parked.parked)) continue;
        if (parked.original == note.result) {
            // A whole new result replaces the old one, as the run would have.
            if (wholeResult(note.result, note.pages)) {
                DeleteExistingFile(parked.parked);
                continue;
            }
            DeleteExistingFile(note.result);
        }
        if (!putBack(parked)) {
            runtime::MsgBox("Die Datei " + parked.original + " lässt sich nicht zurücklegen; sie liegt unter " +
                                parked.parked + ".",
                            runtime::vbExclamation, MessageTitle);
        }
    }
    // A result written where nothing stood before stays only when it is whole.
    if (!resultParked && !note.result.empty() && taken(note.result) && !wholeResult(note.result, note.pages))
        DeleteExistingFile(note.result);
}

}  // namespace Parking
