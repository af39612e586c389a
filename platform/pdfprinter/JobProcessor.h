#pragma once
// The printer's work: each spooled job becomes the PDF file that the options
// name at the moment the job is taken.
#include <cstdint>
#include <set>
#include <string>

#include "platform/pdfprinter/PrinterState.h"
#include "platform/pdfprinter/Spool.h"

namespace pdfprinter {

class JobProcessor {
public:
    JobProcessor(PrinterState& state, Spool spool);

    // Writes the waiting jobs, oldest first, each to "AutosaveDirectory" +
    // "AutosaveFilename" + ".pdf" (joined as they are; "\" is read as "/"
    // on disk), removes it from the spool and records the joined text as the
    // last output. Stops early when the printer is told to hold its jobs, and
    // leaves them waiting while "UseAutosave" is off: without autosave the
    // printer would ask the user for a name, and nobody is there to answer.
    // While "AutosaveJobTitle" names a document, the jobs of other programs
    // are passed over and wait in the spool for their owner.
    // Each file is written first under a hidden name beside it ("." + its
    // name + "." + eight characters), so that nobody sees half a file: the
    // folder must hold a name 10 bytes longer than the file's.
    // A job that cannot be written is dropped, so that it does not block the
    // jobs behind it; why is reported on stderr and kept as the last error.
    // Returns the number written.
    int processWaitingJobs();

private:
    bool write(std::uint64_t job);
    void failed(std::uint64_t job, const std::string& path, const std::string& why);

    PrinterState& state_;
    Spool spool_;
    // Jobs written but not removable: never written twice.
    std::set<std::uint64_t> stuck_;
};

}  // namespace pdfprinter
