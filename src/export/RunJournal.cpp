#include "src/export/RunJournal.h"

#include <algorithm>
#include <charconv>

#include "src/util/NoteFile.h"
#include "src/util/TellOnce.h"

namespace RunJournal {

namespace {

constexpr const char* Kind = "pdf-Kalmora Lauf 2";
// A run parks at most what stands at its five names, and makes at most a
// file at each of them.
constexpr std::size_t NamesOfARun = 5;

std::string identityText(const Identity& identity) {
    const win32::FileIdentity& file = identity.file;
    std::string text = std::to_string(file.device) + ":" + std::to_string(file.inode);
    if (identity.whole) text += ":" + std::to_string(file.size) + ":" + std::to_string(file.modified);
    return text;
}

template <typename Number>
bool parsed(std::string_view text, Number& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::optional<Identity> identityFrom(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    Identity identity;
    if (parts.size() != 2 && parts.size() != 4) return std::nullopt;
    identity.whole = parts.size() == 4;
    if (!parsed(parts[0], identity.file.device) || !parsed(parts[1], identity.file.inode)) return std::nullopt;
    if (identity.whole && (!parsed(parts[2], identity.file.size) || !parsed(parts[3], identity.file.modified)))
        return std::nullopt;
    return identity;
}

// The name after the folder, when `path` lies directly in `folder`.
std::optional<std::string> nameIn(const std::string& folder, const std::string& path) {
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) return std::nullopt;
    std::string name = path.substr(folder.size());
    if (name.find_first_of("\\/") != std::string::npos || name == "." || name == "..") return std::nullopt;
    return name;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Whether the names are those a run forms: the result and, of one base,
// "_$1.pdf", "_$2.pdf", "_$1.pdf.pdf" and "_$2.pdf.pdf", all in the folder.
bool namesOfARun(const Record& record) {
    const std::string& folder = record.folder;
    if (folder.empty() || folder.back() != '\\' || record.names.size() != NamesOfARun) return false;
    for (const std::string& path : record.names)
        if (!nameIn(folder, path)) return false;
    const std::string& first = record.names[1];
    if (!endsWith(record.result(), ".pdf") || !endsWith(first, "_$1.pdf")) return false;
    const std::string base = first.substr(0, first.size() - 7);
    return record.names[2] == base + "_$2.pdf" && record.names[3] == first + ".pdf" &&
           record.names[4] == record.names[2] + ".pdf";
}

bool isRunName(const Record& record, const std::string& path) {
    return std::find(record.names.begin(), record.names.end(), path) != record.names.end();
}

// Whether the journal's entries name only the run's own files.
bool makesSense(const Record& record) {
    if (!namesOfARun(record) || record.pages < 0) return false;
    if (record.parked.size() > NamesOfARun || record.made.size() > NamesOfARun) return false;
    for (const Parked& parked : record.parked) {
        const std::optional<std::string> name = nameIn(record.folder, parked.parked);
        if (!isRunName(record, parked.original) || !name || name->front() != '.' || !endsWith(*name, ".alt") ||
            !parked.identity.whole)
            return false;
    }
    return std::all_of(record.made.begin(), record.made.end(),
                       [&](const Made& made) { return isRunName(record, made.path); });
}

std::optional<Record> recordFrom(const NoteFile::Note& note) {
    Record record;
    record.folder = note.value("Ordner").value_or("");
    record.names = note.values("Name");
    if (!parsed(note.value("Seiten").value_or(""), record.pages)) return std::nullopt;
    const std::vector<std::string> originals = note.values("Original");
    const std::vector<std::string> parkedNames = note.values("Geparkt");
    const std::vector<std::string> parkedIdentities = note.values("GeparktKennung");
    const std::vector<std::string> made = note.values("Gemacht");
    const std::vector<std::string> madeIdentities = note.values("GemachtKennung");
    if (originals.size() != parkedNames.size() || originals.size() != parkedIdentities.size() ||
        made.size() != madeIdentities.size())
        return std::nullopt;
    for (std::size_t n = 0; n < originals.size(); ++n) {
        const std::optional<Identity> identity = identityFrom(parkedIdentities[n]);
        if (!identity) return std::nullopt;
        record.parked.push_back({originals[n], parkedNames[n], *identity});
    }
    for (std::size_t n = 0; n < made.size(); ++n) {
        const std::optional<Identity> identity = identityFrom(madeIdentities[n]);
        if (!identity) return std::nullopt;
        record.made.push_back({made[n], *identity});
    }
    if (!makesSense(record)) return std::nullopt;
    return record;
}

std::string journalFile(const std::string& addInFolder) {
    return addInFolder + FileName;
}

void tellDamaged(const std::string& file) {
    const std::string why = NoteFile::setAside(file);
    TellOnce::tell("Das Laufprotokoll " + file +
                   " ist beschädigt; es wurde nicht verwendet und nichts danach gelöscht oder verschoben." +
                   (why.empty() ? "\r\nEs liegt jetzt unter " + file + ".defekt."
                                : "\r\nEs lässt sich nicht beiseitelegen: " + why));
}

}  // namespace

bool Identity::matches(const std::string& path) const {
    const std::optional<Identity> now = of(path);
    if (!now) return false;
    if (whole) return now->file == file;
    return now->file.device == file.device && now->file.inode == file.inode;
}

std::optional<Identity> Identity::of(const std::string& path) {
    const std::optional<win32::FileIdentity> file = win32::GetFileIdentityA(path);
    if (!file) return std::nullopt;
    return Identity{*file, true};
}

Reading read(const std::string& addInFolder) {
    const std::string file = journalFile(addInFolder);
    const NoteFile::Read note = NoteFile::read(file, Kind);
    if (note.state == NoteFile::State::Missing) return {};
    std::optional<Record> record;
    if (note.note) record = recordFrom(*note.note);
    if (!record) {
        tellDamaged(file);
        return {Found::Damaged, {}};
    }
    const win32::ProcessIdentity& owner = note.note->owner();
    // This process's own journal is of a run of its that could not drop it.
    if (owner != win32::currentProcessIdentity() && win32::lifeOf(owner) != win32::ProcessLife::Gone) {
        TellOnce::tell("Das Laufprotokoll " + file +
                       " gehört zu einem Export, der auf einem anderen Rechner oder in einem anderen Programm "
                       "noch laufen kann; es bleibt unberührt.\r\nDieser Export läuft ohne Protokoll: "
                       "bricht er ab, räumt der nächste Export seine Dateien nicht auf.");
        return {Found::Live, {}};
    }
    return {Found::Dead, std::move(*record)};
}

bool write(const std::string& addInFolder, const Record& record) {
    NoteFile::Note note(Kind);
    note.add("Ordner", record.folder);
    for (const std::string& name : record.names) note.add("Name", name);
    note.add("Seiten", std::to_string(record.pages));
    for (const Parked& parked : record.parked) {
        note.add("Original", parked.original);
        note.add("Geparkt", parked.parked);
        note.add("GeparktKennung", identityText(parked.identity));
    }
    for (const Made& made : record.made) {
        note.add("Gemacht", made.path);
        note.add("GemachtKennung", identityText(made.identity));
    }
    const std::string file = journalFile(addInFolder);
    const std::string why = NoteFile::write(file, note);
    if (why.empty()) return true;
    TellOnce::tell("Das Laufprotokoll " + file + " lässt sich nicht schreiben: " + why +
                   "\r\nDer Export läuft ohne Protokoll: bricht er ab, räumt der nächste Export seine Dateien "
                   "nicht auf.");
    return false;
}

void drop(const std::string& addInFolder) {
    NoteFile::drop(journalFile(addInFolder));
}

}  // namespace RunJournal
