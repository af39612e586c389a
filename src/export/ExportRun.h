#pragma once
// The values that live only during one export run.
#include <optional>
#include <string>

#include "platform/win32/NamedMutex.h"

struct ExportRun {
    std::string outputFolder;   // ends in "\"; empty for a host that is neither Word nor Excel
    std::string baseName;       // without folder and extension; grows on rename
    std::string firstPart;      // base name, company suffix, "_$1"
    std::string restPart;       // base name, company suffix, "_$2"
    std::string target;         // output folder, base name, company suffix, ".pdf"
    std::string finalBaseName;  // the result is output folder + this + ".pdf"
    // Set once the part names exist: only then does the cleanup delete files.
    bool namesFormed = false;
    // One export at a time on the machine: held from before printing to the
    // end of the cleanup. The intermediate files, pdftk and the PDF printer
    // are this run's only while it is held.
    std::optional<win32::NamedMutex> machineLock;
};
