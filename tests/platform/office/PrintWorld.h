#pragma once
// A world of a test's own (KALMORA_WORLD) in a fresh temporary folder, with
// the files of documents and a view of the printers' spool folders.
#include <string>
#include <vector>

#include "tests/support/PdfText.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace office::testing {

class PrintWorld {
public:
    // Writes a document file into the folder; its full path.
    std::string file(const std::string& name, const std::string& contents) const;

    // The PDF files of a printer's jobs, oldest first.
    static std::vector<std::string> jobs(const std::string& printer);
    // The title a job (given by its PDF file) carries.
    static std::string title(const std::string& job);

private:
    TempFolder folder_;
    // Until destruction, which brings back the world before.
    ScopedVariable world_{"KALMORA_WORLD", folder_.path("world")};
};

// Pages are read line by line, as pdftotext prints them.
inline constexpr pdf::Blanks kLines = pdf::Blanks::Kept;

// The size of a page as pdfinfo reports it, in points: "595 x 842".
std::string pageSize(const std::string& pdf, int page);

// A word on a page as pdftotext finds it, with its box in points from the
// top left corner of the page.
struct Word {
    std::string text;
    double left, top, right;
};
std::vector<Word> words(const std::string& pdf, int page);

// A PDF file with one page of Courier text per entry of `texts`, all of the
// size given in points; written without the code under test.
std::string handMadePdf(const std::vector<std::string>& texts, int width, int height);

}  // namespace office::testing
