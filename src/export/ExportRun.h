#pragma once
// What one export run carries from the click to the cleanup: the host, the
// choice, the names and the printers it saved.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/Variant.h"
#include "platform/win32/FileClaim.h"
#include "platform/win32/NamedMutex.h"
#include "src/export/RunFiles.h"
#include "src/printing/Layout.h"
#include "src/util/Host.h"

// The files a run writes between printing and the cleanup, in the output
// folder: what the PDF printer printed (P1, P2) and what pdftk stamped (S1, S2).
struct IntermediateFiles {
    std::string printedFirst, printedRest, stampedFirst, stampedRest;

    // In the order the cleanup deletes them.
    std::vector<std::string> all() const { return {printedFirst, printedRest, stampedFirst, stampedRest}; }
};

struct ExportRun {
    Host host = Host::Other;
    // The letterhead layout chosen in the choice window.
    Layout AuswahlIndex = Layout::None;
    // The answer to the save question (1 OK, 2 Cancel).
    std::int16_t iAntwort = 0;
    // "_" and the company short code, or empty.
    std::string KuerzelSuffix;
    // The pages the host reports for the document, asked for before
    // printing; 0 for a host that cannot tell.
    std::int32_t DocumentPages = 0;
    // The printers saved before printing.
    com::Variant vDefaultPrinter;
    com::Variant vExcelPrinter;

    // The document's name as the host gives it, which is also the title of
    // its print jobs.
    std::string documentName;
    std::string outputFolder;   // ends in "\"
    std::string baseName;       // without folder and extension; grows on rename
    std::string firstPart;      // base name, company suffix, "_$1"
    std::string restPart;       // base name, company suffix, "_$2"
    std::string target;         // output folder, base name, company suffix, ".pdf"
    std::string finalBaseName;  // the result is output folder + this + ".pdf"
    // Formed with the part names: only then does the cleanup delete files.
    std::optional<IntermediateFiles> intermediates;
    // One export at a time on the machine: held from before printing to the
    // end of the cleanup. The intermediate files, pdftk and the PDF printer
    // are this run's only while it is held.
    std::optional<win32::NamedMutex> machineLock;
    // The run's names in the output folder, claimed against runs of other
    // machines from before anything is parked to the end of the cleanup.
    std::optional<win32::FileClaim> namesClaim;
    // What the run parked and made, with the journal of it.
    std::optional<RunFiles> files;

    std::string resultFile() const { return outputFolder + finalBaseName + ".pdf"; }
};
