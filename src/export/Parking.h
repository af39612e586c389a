#pragma once
// Whatever stands at a name the run needs (an old result, a file of one of
// the run's intermediate names, a link) is parked under a hidden name of the
// run's own beside it, and comes back unless the run made its replacement.
#include <cstdint>
#include <optional>
#include <string>

#include "src/export/RunJournal.h"

namespace Parking {

// Whether something (a file, folder or link) stands at `path`.
bool taken(const std::string& path);

// A hidden name beside `path` that nothing stands at: "." + the name + "." +
// random hex + ".alt", the name cut so that it fits the file system.
std::optional<std::string> freeParkingName(const std::string& path);

// Moves a parked file back to its name; false when something stands there,
// the parked file is no longer the one parked, or the move fails.
bool putBack(const RunJournal::Parked& parked);

// Whether a whole result stands at `path`: a PDF that can be read, with
// `pages` pages (any number when `pages` is 0).
bool wholeResult(const std::string& path, std::int32_t pages);

enum class NewResult {
    KeptIfWhole,  // a whole result the run made stays, and replaces what stood at its name
    Undone,       // a result the run made goes, and what stood at its name comes back
};

// Settles what a run noted: the files it made go, and what it parked comes
// back; a result it made as `newResult` says. A file is touched only while it is still the one noted:
// what the user saved at one of the names since stays. Says nothing unless a
// file cannot be put back. The run's pdftk must have been ended.
void settle(const RunJournal::Record& record, NewResult newResult);

}  // namespace Parking
