#pragma once
// The export command behind the toolbar button.
#include "platform/com/Object.h"

namespace ExportCommand {

// From the letterhead checks to the finished PDF, for the host's active
// document or sheet. Everything it has to say it says in message boxes.
// A host that is neither Word nor Excel gets the abort message naming it, and
// nothing is printed or written. Failures before the document checks rise to
// the caller. A start while a run is still waiting (a second click while
// events are handled) is refused with a message: both runs would share the
// same files.
void erzeugeFiles(com::Object& Application);

}  // namespace ExportCommand
