#include "src/export/RunFiles.h"

#include <algorithm>

#include "platform/win32/Files.h"
#include "platform/win32/ProcessApi.h"
#include "src/export/Parking.h"
#include "src/util/FileChecks.h"

std::string namesClaim(const std::string& printedFirst) {
    const auto separator = printedFirst.find_last_of('\\') + 1;  // 0 without one
    const std::string name = printedFirst.substr(separator);
    return printedFirst.substr(0, separator) + "." + name.substr(0, name.size() - std::string("1.pdf").size()) +
           ".belegt";
}

RunFiles::RunFiles(std::string addInFolder, Journal journal, std::string folder, std::vector<std::string> names)
    : addInFolder_(std::move(addInFolder)), journal_(journal) {
    record_.folder = std::move(folder);
    record_.names = std::move(names);
}

void RunFiles::expectPages(std::int32_t pages) {
    record_.pages = pages;
    note();
}

std::optional<std::string> RunFiles::park(const std::string& path) {
    if (!Parking::taken(path)) return std::string();
    std::optional<std::string> parked = Parking::freeParkingName(path);
    // A move keeps the file's identity: it is noted before the move.
    const std::optional<RunJournal::Identity> identity = RunJournal::Identity::of(path);
    if (parked && identity) {
        record_.parked.push_back({path, *parked, *identity});
        note();
        if (win32::MoveFileA(path, *parked)) return parked;
        record_.parked.pop_back();
        note();
    }
    FileChecks::tellLocked(path);
    return std::nullopt;
}

bool RunFiles::expect(const std::string& path) {
    if (!win32::CreateNewFileA(path)) return false;
    if (std::optional<RunJournal::Identity> identity = RunJournal::Identity::of(path)) {
        // The program changes its size and time; its volume and index stay.
        identity->whole = false;
        forget(path);
        record_.made.push_back({path, *identity});
        note();
    }
    return true;
}

void RunFiles::made(const std::string& path) {
    const std::optional<RunJournal::Identity> identity = RunJournal::Identity::of(path);
    forget(path);
    if (identity) record_.made.push_back({path, *identity});
    note();
}

bool RunFiles::move(const std::string& from, const std::string& to) {
    const std::optional<RunJournal::Identity> identity = RunJournal::Identity::of(from);
    if (!identity) return false;
    // Noted at both names first: whichever holds it after a crash is the run's.
    forget(to);
    record_.made.push_back({to, *identity});
    note();
    if (!win32::MoveFileA(from, to)) {
        forget(to);
        note();
        return false;
    }
    forget(from);
    note();
    return true;
}

void RunFiles::keepResult() {
    const std::string& result = record_.result();
    forget(result);
    const auto parked = std::find_if(record_.parked.begin(), record_.parked.end(),
                                     [&](const RunJournal::Parked& each) { return each.original == result; });
    if (parked != record_.parked.end()) {
        if (parked->identity.matches(parked->parked)) FileChecks::DeleteExistingFile(parked->parked);
        record_.parked.erase(parked);
    }
    note();
}

void RunFiles::undoResult() {
    const std::string& result = record_.result();
    RunJournal::Record resultOnly = record_;
    std::erase_if(resultOnly.made, [&](const RunJournal::Made& made) { return made.path != result; });
    std::erase_if(resultOnly.parked, [&](const RunJournal::Parked& parked) { return parked.original != result; });
    Parking::settle(resultOnly, Parking::NewResult::Undone);
    forget(result);
    std::erase_if(record_.parked, [&](const RunJournal::Parked& parked) { return parked.original == result; });
    note();
}

void RunFiles::settle() {
    Parking::settle(record_, Parking::NewResult::KeptIfWhole);
    record_.made.clear();
    record_.parked.clear();
    if (journal_ == Journal::Kept) RunJournal::drop(addInFolder_);
}

void RunFiles::note() {
    if (journal_ != Journal::Kept) return;
    // A journal that cannot be written costs the recovery after a crash,
    // never a file: the run goes on without it, and drops what is stale.
    if (!RunJournal::write(addInFolder_, record_)) {
        RunJournal::drop(addInFolder_);
        journal_ = Journal::None;
    }
}

void RunFiles::forget(const std::string& path) {
    std::erase_if(record_.made, [&](const RunJournal::Made& made) { return made.path == path; });
}
