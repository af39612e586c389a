#include "platform/printers/PrintSystem.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/printers/PrinterNames.h"
#include "platform/win32/AtomicFile.h"
#include "platform/world/World.h"

// The print system's folder in the world:
//   installed/<file name>   one file per printer; its content is the name as
//                           it was installed (the file name is case-folded)
//   default                 the name of the user's default printer
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
    if (const auto current = win32::readWholeFile(base() / "default"); current && sameName(*current, name))
        fs::remove(base() / "default");
}

std::optional<std::string> defaultPrinter() {
    const auto name = win32::readWholeFile(base() / "default");
    if (!name) return std::nullopt;
    return installedSpelling(*name);
}

bool setDefaultPrinter(const std::string& name) {
    const auto spelling = installedSpelling(name);
    if (!spelling) return false;
    win32::writeFileAtomically(base() / "default", *spelling);
    return true;
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
