#pragma once
// What happens when a file of the result's name exists already.
#include <string>

#include "src/export/Decision.h"
#include "src/export/ExportRun.h"

namespace Collision {

// Sets the run's final name: the target's own when it is free or is to be
// overwritten (and can be), else the first free numbered one. The answer is
// the one remembered for the host, or the question's. Cleanup when the user
// cancelled or the old file is locked; Abort when every numbered name is taken.
Decision settle(ExportRun& run);

// The answer remembered for host kind `hostKind` ("Word" or "Excel"), as a
// run reads it, by the caption of its button ("Überschreiben",
// "Umbenennen"); empty while the user is asked.
std::string rememberedAnswer(const std::string& hostKind);

}  // namespace Collision
