#include "platform/printers/PrintSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/printers/PrinterNames.h"
#include "platform/win32/AtomicFile.h"
#include "platform/win32/FileDescriptor.h"
#include "platform/world/World.h"

// The print system's folder in the world:
//   installed/<file name>   one file per printer; its content is the name as
//                           it was installed (the file name is case-folded)
//   default                 the name of the user's default printer, as a
//                           record of fixed length (see below)
//   spool/<file name>/      the printer's jobs: <n>.title, then <n>.pdf
namespace printers {

namespace fs = std::filesystem;

namespace {

fs::path base() {
    return world::subfolder("printers");
}
fs::path installedFolder() {
    return world::subfolder("printers/installed");
}
fs::path spoolBase() {
    return world::subfolder("printers/spool");
}

// The default printer is a record of fixed length: the name, then NUL bytes;
// all NUL bytes for none. Once there, it is rewritten in place, so that
// switching the default needs no free space: a disk that the jobs of a
// printer filled up still takes the user's printer back. Readers and writers
// lock it, so that nobody reads half a name. It is longer than any name a
// printer can have (see fileNameFor).
constexpr std::size_t DefaultRecordSize = 512;

fs::path defaultRecord() {
    return base() / "default";
}

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), std::string(what) + " " + defaultRecord().string());
}

// The name the record holds; none when there is no record or it names none.
std::optional<std::string> recordedDefault() {
    const win32::FileDescriptor record(::open(defaultRecord().c_str(), O_RDONLY | O_CLOEXEC));
    if (!record.valid()) {
        if (errno == ENOENT) return std::nullopt;
        fail("cannot open");
    }
    if (::flock(record.get(), LOCK_SH) != 0) fail("cannot lock");
    std::optional<std::string> bytes = record.readAll();
    if (!bytes) fail("cannot read");
    // An older record holds the name alone.
    bytes->resize(std::min(bytes->size(), bytes->find('\0')));
    if (bytes->empty()) return std::nullopt;
    return bytes;
}

// Writes `name` (empty: none) as the record: in place when it is there.
void recordDefault(const std::string& name) {
    std::string bytes = name;
    bytes.resize(std::max(DefaultRecordSize, name.size()), '\0');
    const win32::FileDescriptor record(::open(defaultRecord().c_str(), O_WRONLY | O_CLOEXEC));
    if (!record.valid() && errno != ENOENT) fail("cannot open");
    struct stat status {};
    if (!record.valid() || ::fstat(record.get(), &status) != 0 ||
        static_cast<std::size_t>(status.st_size) != bytes.size()) {
        // The first record, or one of another length: made whole, once.
        win32::writeFileAtomically(defaultRecord(), bytes);
        return;
    }
    if (::flock(record.get(), LOCK_EX) != 0) fail("cannot lock");
    if (::pwrite(record.get(), bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        fail("cannot write");
    if (::fdatasync(record.get()) != 0) fail("cannot write");
}

// The file name of a printer that can exist; none for a name no printer can
// have (empty or too long), which then simply matches nothing.
std::optional<std::string> fileNameIfValid(const std::string& name) {
    try {
        return fileNameFor(name);
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}

// The name as the printer was installed, which is what users see listed.
std::optional<std::string> installedSpelling(const std::string& name) {
    const auto fileName = fileNameIfValid(name);
    if (!fileName) return std::nullopt;
    return win32::readWholeFile(installedFolder() / *fileName);
}

// The number that the job "<n>.pdf" or "<n>.title" carries; zero for the
// temporary files and anything else in the folder.
std::uint64_t jobNumber(const std::string& fileName) {
    std::uint64_t number = 0;
    const char* first = fileName.data();
    const char* last = first + fileName.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end == first) return 0;
    const std::string_view suffix(end, static_cast<std::size_t>(last - end));
    return suffix == ".pdf" || suffix == ".title" ? number : 0;
}

std::uint64_t highestJobNumber(const fs::path& folder) {
    std::uint64_t highest = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        highest = std::max(highest, jobNumber(entry.path().filename().string()));
    return highest;
}

}  // namespace

std::vector<std::string> installed() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(installedFolder())) {
        if (entry.path().filename().string().starts_with(".")) continue;
        // Another process may uninstall the printer between listing and reading.
        if (auto name = win32::readWholeFile(entry.path())) names.push_back(std::move(*name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string foldedA = foldCase(a);
        const std::string foldedB = foldCase(b);
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    });
    return names;
}

bool exists(const std::string& name) {
    return installedSpelling(name).has_value();
}

void install(const std::string& name) {
    const std::string fileName = fileNameFor(name);
    // The spool folder comes first: once the printer is listed, jobs can come.
    fs::create_directories(spoolBase() / fileName);
    win32::writeFileAtomically(installedFolder() / fileName, name, win32::ExistingFile::Keep);
}

void uninstall(const std::string& name) {
    const auto spelling = installedSpelling(name);
    if (!spelling) return;
    const std::string fileName = fileNameFor(name);
    fs::remove(installedFolder() / fileName);
    // A removed printer's waiting jobs go with it, as they do on Windows.
    fs::remove_all(spoolBase() / fileName);
    // Forget it as the default, so that a printer installed later under the
    // same name does not become the default unasked. A default set by another
    // process between the read and the removal would be lost; it would have
    // to be set in the same instant as the printer is removed.
    if (const auto current = recordedDefault(); current && sameName(*current, name)) recordDefault({});
}

std::optional<std::string> defaultPrinter() {
    const auto name = recordedDefault();
    if (!name) return std::nullopt;
    return installedSpelling(*name);
}

bool setDefaultPrinter(const std::string& name) {
    const auto spelling = installedSpelling(name);
    if (!spelling) return false;
    recordDefault(*spelling);
    return true;
}

void clearDefaultPrinter() {
    if (recordedDefault()) recordDefault({});
}

void submit(const std::string& printer, const Job& job) {
    const auto spelling = installedSpelling(printer);
    const fs::path folder = spelling ? spoolBase() / fileNameFor(printer) : fs::path();
    if (!spelling || !fs::is_directory(folder))
        throw std::runtime_error("Der Drucker \"" + printer + "\" ist nicht installiert.");
    // The title claims the number: of several processes that pick the same
    // number, one gets it and the others try the next. The PDF comes last,
    // so whoever sees "<n>.pdf" finds its title complete beside it.
    std::uint64_t number = highestJobNumber(folder) + 1;
    while (!win32::writeFileAtomically(folder / (std::to_string(number) + ".title"), job.documentTitle,
                                       win32::ExistingFile::Keep))
        ++number;
    if (!win32::writeFileAtomically(folder / (std::to_string(number) + ".pdf"), job.pdf, win32::ExistingFile::Keep))
        throw std::runtime_error("Der Druckauftrag " + std::to_string(number) + " ist schon vorhanden.");
}

std::string spoolFolder(const std::string& printer) {
    return (spoolBase() / fileNameFor(printer)).string();
}

}  // namespace printers
