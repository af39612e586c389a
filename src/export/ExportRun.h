#pragma once
// The values that live only during one export run.
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/NamedMutex.h"

// The files a run writes between printing and the cleanup, in the output
// folder: what the PDF printer printed (P1, P2) and what pdftk stamped (S1, S2).
struct IntermediateFiles {
    std::string printedFirst, printedRest, stampedFirst, stampedRest;

    // In the order the cleanup deletes them.
    std::vector<std::string> all() const { return {printedFirst, printedRest, stampedFirst, stampedRest}; }
};

struct ExportRun {
    std::string outputFolder;   // ends in "\"; empty for a host that is neither Word nor Excel
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

    std::string resultFile() const { return outputFolder + finalBaseName + ".pdf"; }
};
