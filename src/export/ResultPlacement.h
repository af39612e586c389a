#pragma once
// Putting a new result in the place of an old one without ever losing it.
#include <cstdint>
#include <functional>
#include <string>

#include "src/export/RunFiles.h"

namespace ResultPlacement {

enum class Placed { New, None, Rejected, Refused };

// Writes the result by `produce` (which notes what it makes in `files`) while whatever stood at its name waits
// beside it under a hidden name of the run's own, and checks it: a PDF that
// can be read, with `pages` pages when the host told them (not 0). The old
// file comes back unless a new result passed; a new one that did not pass is
// deleted and `why` says what was wrong with it (Rejected). Refused, after
// the locked-file message, when the old file cannot be moved aside.
Placed placeResult(RunFiles& files, const std::string& result, std::int32_t pages, const std::function<bool()>& produce,
                   std::string& why);

}  // namespace ResultPlacement
