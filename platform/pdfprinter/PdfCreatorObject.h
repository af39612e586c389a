#pragma once
// The automation object "PDFCreator.clsPDFCreator": how a host drives the
// PDF printer by member name.
//   cStart([parameter])       starts the printer process unless it runs;
//                             True once it is ready, False when it cannot start
//   cOption(name)             an option, as text (get and put); the options
//                             hold for the jobs taken after they were set:
//     UseAutosave             1: jobs are written without asking anybody
//     AutosaveDirectory       the folder written to, ending in "\"
//     AutosaveFilename        the file name, without ".pdf"; the file is
//                             written under a hidden name 10 bytes longer
//                             first (JobProcessor.h), which must fit too
//     AutosaveJobTitle        only the jobs of this document are written
//                             (its name, as its jobs' title gives it, see
//                             JobTitle.h); the others wait for their owner.
//                             Empty: every job
//   cDefaultPrinter           the user's default printer (get and put)
//   cPrinterStop              True holds the jobs, False lets them be written
//   cClearCache()             drops the jobs waiting in the spool, only those
//                             of AutosaveJobTitle's document when it is set
//   cOutputFilename           the path of the last file written since the
//                             process started; empty text while none
//   cErrorDetail(name)        the last file the process could not write:
//                             "Number" 0 while every file was written, else
//                             75; "Description" the file and why, for the user
//   cClose()                  asks the process to end and waits for it
// Failures raise com::Error with German texts. Once started, the object
// talks to that one printer process: when it has gone (ended by cClose,
// another host or taskkill, or crashed) every call but cStart raises
// "Der RPC-Server ist nicht verfügbar." until cStart starts a new one.
#include <optional>
#include <string>

#include "platform/com/AutomationObject.h"
#include "platform/pdfprinter/Names.h"
#include "platform/pdfprinter/PrinterState.h"

namespace pdfprinter {

class PdfCreatorObject : public com::AutomationObject {
public:
    // `program` is the printer program cStart starts, as win32::findProgram
    // looks it up (a bare name searches the platform's tools folder, then PATH).
    explicit PdfCreatorObject(std::string program = std::string(programName));

private:
    com::Variant start(const com::Arguments& args);
    com::Variant close();
    void requireServer() const;

    std::string program_;
    PrinterState state_;
    std::optional<int> server_;  // the process cStart found ready
};

}  // namespace pdfprinter
