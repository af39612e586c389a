#pragma once
// The user's default printer while a run has the PDF printer as the default:
// noted in a file beside the settings file (pdf-Kalmora.drucker) from the
// switch until the default is put back. A run that died in between (its host
// crashed or was killed) leaves the note; the next run puts that printer back
// first, so that it does not take the PDF printer for the user's default and
// lose the real one for good.
#include <string>

namespace Printing {

// Puts back the printer a dead run noted, when the PDF printer is still the
// default; drops the note either way. Nothing when there is no note.
void RecoverDefaultPrinter();
// Notes `printer` (the default before the switch); nothing for none.
void NoteDefaultPrinter(const std::string& printer);
// Drops the note once the default is back.
void ForgetDefaultPrinter();
// Makes `printer` (the default before the switch) the default again and
// drops the note; with no printer before, the default stays as it is.
void PutBackDefaultPrinter(const std::string& printer);

}  // namespace Printing
