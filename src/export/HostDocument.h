#pragma once
// The host's document as the export command sees it: whether there is
// anything to print, its stored file, its output folder and base name, and
// its pages.
#include <cstdint>

#include "platform/com/Object.h"
#include "src/export/Decision.h"
#include "src/export/ExportRun.h"

namespace HostDocument {

// Why there is nothing to print, for the user: Word has no document open,
// Excel no workbook, or Excel's active sheet has no page. Empty when there is
// something to print.
std::string nothingToPrint(com::Object& Application, Host host);

// Has the user save the active document or workbook until it is saved, then
// sets the run's output folder (made when missing) and base name. End after
// the user cancelled or when the document was never stored; Abort for a name
// that would lead out of the output folder or break a command line, and for
// an output folder that is too long, a file, or cannot be made or written.
// Raises what the host raises.
Decision prepare(com::Object& Application, ExportRun& run);

// Why a run could not write into the output folder `folder` (a full path
// ending in "\"), for the user: it is a file, cannot be made or cannot be
// written. Empty when it can, also when it is missing and the run would
// make it; nothing is made or left.
std::string whyNoOutputFolder(const std::string& folder);

// The pages of the document as the host counts them (Word's pages
// statistic, Excel's page count of the active sheet); 0 for another host.
std::int32_t pages(com::Object& Application, Host host);

}  // namespace HostDocument
