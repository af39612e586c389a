#pragma once
// Laying the letterheads under the printed pages with pdftk: the command
// lines, one pdftk run, and the export command's steps around printing.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "src/export/Decision.h"
#include "src/export/ExportRun.h"

namespace Composition {

// Ends every running pdftk, this run's or an earlier one's.
inline const std::string StopPdftk = "taskkill /f /im PDFtk.exe";

// The first of the paths that holds a double quote, which would end a quoted
// argument early and hand pdftk arguments of the user's making; null if none.
const std::string* pathWithQuote(const std::vector<std::string>& paths);

// pdftk lays the first page of `letterhead` under every page of `input`.
std::string backgroundCommand(const std::string& pdftk, const std::string& input, const std::string& letterhead,
                              const std::string& output);
// pdftk writes the pages of `first` followed by those of `following`.
std::string joinCommand(const std::string& pdftk, const std::string& first, const std::string& following,
                        const std::string& output);

// How long pdftk may take for a document of `pages` pages (0 when the host
// could not tell): a minute, and a quarter of a second a page, which no
// honest document comes near. KALMORA_PDFTK_SECONDS, when set, replaces the
// minute (for tests).
std::chrono::milliseconds pdftkLimit(std::int32_t pages);

enum class PdftkRun { Made, Failed, TooLong };

// Runs a pdftk command line in a hidden window and waits for it, at most
// `limit`, after which every pdftk is ended (TooLong). Made when pdftk ended
// normally and `output` exists; whatever a pdftk that failed or was ended
// wrote is deleted. For Failed, `why` (when given) receives the reason for
// the user: pdftk.exe missing or not runnable, the output folder full, or
// pdftk's exit code and the start of what it wrote on its standard error.
PdftkRun runPdftk(const std::string& cmdline, const std::string& output, std::chrono::milliseconds limit,
                  std::string* why = nullptr);

// Before printing: Abort for a path that would break a command line. Clears
// the run's intermediate names (RunFiles.h); Cleanup when what stands at one
// cannot be moved aside.
Decision prepareForPrinting(ExportRun& run);

// After printing: lays the letterheads under the printed pages, puts the
// result in place and opens it. Abort when no result was made, or none with
// the document's pages.
Decision composeLetterhead(ExportRun& run);

}  // namespace Composition
