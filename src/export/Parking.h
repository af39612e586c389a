#pragma once
// Whatever stands at a name the run needs (an old result, a file of one of
// the run's intermediate names, a link) is parked under a hidden name of the
// run's own beside it, and comes back unless the run made its replacement.
// Every move is noted in the run's journal first.
#include <optional>
#include <string>

#include "src/export/RunJournal.h"

namespace Parking {

// Clears `path` for the run. The hidden name where what stood there waits;
// empty when nothing stood there; none, after the locked-file message, when
// it could not be moved.
std::optional<std::string> clear(const std::string& path);

// Moves a parked file back to its name; false when something stands there or
// the move fails.
bool putBack(const RunJournal::Parked& parked);

// Whether a whole result stands at `path`: a PDF that can be read, with
// `pages` pages (any number when `pages` is 0).
bool wholeResult(const std::string& path, std::int32_t pages);

// Settles what a dead run noted: the files it made at its intermediate names
// go, and what it parked comes back; its old result only where no whole new
// result stands, which replaces it. Says nothing unless a file cannot be put
// back. The dead run's pdftk must have been ended.
void recover(const RunJournal::Note& note);

}  // namespace Parking
