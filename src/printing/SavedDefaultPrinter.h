#pragma once
// The user's default printer while a run has the PDF printer as the default:
// noted in a file beside the settings file (pdf-Kalmora.drucker) from the
// switch until the default is put back, with whether the user had one at all
// and which process of which machine switched it. A run that died in between
// (its host crashed or was killed) leaves the note; the next run on that
// machine puts the user's default back first, so that it does not take the
// PDF printer for the user's default and lose the real one for good.
#include <string>

#include "src/printing/Printing.h"

namespace Printing {

// Puts back the default printer that a run of this machine, which is gone,
// noted, when the PDF printer is still the default, and drops the note. A
// note of a run still printing (here or on another machine that shares the
// folder) stays as it is. A damaged note is set aside (".defekt"), named once
// and never acted on; the PDF printer is then no longer the default.
void RecoverDefaultPrinter();

// Notes `printer` (the default before the switch; empty for none). Keep when
// there is already a note of a run still printing, and when the note cannot
// be written (the user is told once per host start): the run then leaves the
// system's default printer as it is.
DefaultPrinterSwitch NoteDefaultPrinter(const std::string& printer);

// After a run that switched the default: makes the noted printer (or none)
// the default again, unless the default is no longer the PDF printer, and
// drops the note. A noted printer that is no longer set up leaves no default
// printer, and the user is told once.
void PutBackDefaultPrinter(const PrintRun& run);

}  // namespace Printing
