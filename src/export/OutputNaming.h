#pragma once
// How the output names are formed from the host document's names.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace OutputNaming {

// The longest name (the part after the last "\") that a folder holds, in bytes.
inline constexpr std::size_t LongestName = 255;

// The first path whose name, `room` bytes longer, is longer than a folder
// holds; none when all fit.
std::optional<std::string> firstTooLong(const std::vector<std::string>& paths, std::size_t room = 0);

// True for a name holding "\" or "/": a file named by it would land in
// another folder than the output folder ("..\..\Vertrag.docx" is a legal
// document name).
bool hasSeparator(const std::string& name);

// Everything before the last ".doc", in any case ("BRIEF.DOC"); for a name
// without one (".rtf", ".odt", ".dotx") the name without its extension.
std::string wordBaseName(const std::string& documentName);

// Everything before the last ".xls" of the workbook name (in any case; for a
// name without one, such as ".ods", the name without its extension), "_" and
// the cleaned sheet name.
std::string excelBaseName(const std::string& workbookName, const std::string& sheetName);

// The sheet name without ":" "\" "/" "?" "*" "[" "]" "=", each double quote
// replaced by two apostrophes.
std::string cleanSheetName(const std::string& sheetName);

// The first of base + "_1" + suffix ... base + "_50" + suffix for which no
// file or folder `folder` + name + ".pdf" exists; none when all are taken.
std::optional<std::string> firstFreeNumberedName(const std::string& folder, const std::string& base,
                                                 const std::string& suffix,
                                                 const std::function<bool(const std::string&)>& exists);

}  // namespace OutputNaming
