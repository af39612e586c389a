#include "src/export/RunJournal.h"

#include "platform/runtime/Interaction.h"
#include "src/settings/INI_Datei.h"
#include "src/util/Failures.h"
#include "src/util/FileChecks.h"

using namespace INI_Datei;

namespace {

constexpr const char* NoteFileName = "pdf-Kalmora.lauf";
constexpr const char* NoteSection = "Lauf";
constexpr const char* ParkedCount = "Geparkt";
constexpr const char* MadeCount = "Zwischendateien";

std::string noteFile() {
    return AddInFolder + NoteFileName;
}

std::string read(const std::string& key) {
    return ReadIniString(noteFile(), NoteSection, key);
}

void write(const std::string& key, const std::string& value) {
    WriteIniString(noteFile(), NoteSection, key, value);
}

}  // namespace

namespace RunJournal {

std::optional<Note> read() {
    if (!com::isTrue(FileChecks::FileFolderExists(noteFile()))) return std::nullopt;
    Note note;
    const std::int32_t parked = ReadIniInteger(noteFile(), NoteSection, ParkedCount);
    for (std::int32_t n = 1; n <= parked; ++n)
        note.parked.push_back({::read("Original" + std::to_string(n)), ::read("Geparkt" + std::to_string(n))});
    const std::int32_t made = ReadIniInteger(noteFile(), NoteSection, MadeCount);
    for (std::int32_t n = 1; n <= made; ++n) note.made.push_back(::read("Zwischendatei" + std::to_string(n)));
    note.result = ::read("Ergebnis");
    note.pages = ReadIniInteger(noteFile(), NoteSection, "Seiten");
    return note;
}

void noteParked(const Parked& parked) {
    const std::string n = std::to_string(ReadIniInteger(noteFile(), NoteSection, ParkedCount) + 1);
    write("Original" + n, parked.original);
    write("Geparkt" + n, parked.parked);
    write(ParkedCount, n);
}

void noteMade(const std::vector<std::string>& names) {
    for (std::size_t n = 0; n < names.size(); ++n) write("Zwischendatei" + std::to_string(n + 1), names[n]);
    write(MadeCount, std::to_string(names.size()));
}

void noteResult(const std::string& result, std::int32_t pages) {
    write("Seiten", std::to_string(pages));
    write("Ergebnis", result);
}

void drop() {
    // A note that cannot be deleted is settled by the next run once more.
    ignoreFailure([] { runtime::Kill(noteFile()); });
}

}  // namespace RunJournal
