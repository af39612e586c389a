#pragma once
// The command lines that lay letterheads under the printed pages.
#include <string>
#include <vector>

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

}  // namespace Composition
