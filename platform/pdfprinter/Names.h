#pragma once
// The names under which the PDF printer is known to the system and to users.
#include <string_view>

namespace pdfprinter {

// The printer that the print system spools its jobs for.
inline constexpr std::string_view printerName = "PDFCreator";
// The printer process's program file, the image name taskkill looks for.
inline constexpr std::string_view programName = "PDFCreator.exe";
inline constexpr std::string_view progId = "PDFCreator.clsPDFCreator";
// The start parameter that makes the process hold its jobs until told otherwise.
inline constexpr std::string_view noProcessingAtStartup = "/NoProcessingAtStartup";

}  // namespace pdfprinter
