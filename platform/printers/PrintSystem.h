#pragma once
// The print system, kept in the world (printers/ below the world folder): the
// installed printers, the user's default printer, and one spool folder per
// printer into which print jobs (PDF files) are put. Several processes use it
// at once; each change replaces one small file atomically, except the default
// printer, which is rewritten in place and needs no free space to change.
#include <optional>
#include <string>
#include <vector>

namespace printers {

// Names are compared without regard to case, as the print system does; they
// may hold blanks, umlauts and the backslashes of network printers such as
// "\\druckserver\Etage 2".
std::vector<std::string> installed();
bool exists(const std::string& name);
// Adds a printer; nothing happens when one of that name exists.
void install(const std::string& name);
void uninstall(const std::string& name);

// The default printer of the user; none when none is set or it was uninstalled.
std::optional<std::string> defaultPrinter();
// False (and no change) when no such printer is installed. Once the user had
// a default printer, changing it needs no free space on the world's disk.
bool setDefaultPrinter(const std::string& name);
// Leaves the user without a default printer, as before the first one was set.
void clearDefaultPrinter();

// A print job: the document's pages as a PDF file, and the title the job
// carries. Throws std::runtime_error when no such printer is installed.
struct Job {
    std::string documentTitle;
    std::string pdf;  // the bytes of a PDF file
};
void submit(const std::string& printer, const Job& job);

// The spool folder of a printer, where its jobs wait as "<number>.pdf" (and
// "<number>.title"), numbered in the order they were submitted.
std::string spoolFolder(const std::string& printer);

}  // namespace printers
