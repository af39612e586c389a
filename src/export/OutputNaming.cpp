#include "src/export/OutputNaming.h"

#include <algorithm>

namespace OutputNaming {

namespace {

// Everything before the last `extension` (lower case), matched without
// regard to case as Windows matches names. A name the host opens although
// it holds no such extension (".rtf", ".odt", ".dotx") loses its own
// extension instead; a name without any stays whole.
std::string beforeLast(const std::string& name, const std::string& extension) {
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    auto at = folded.rfind(extension);
    if (at == std::string::npos) at = name.rfind('.');
    return name.substr(0, at);
}

void replaceAll(std::string& text, const std::string& what, const std::string& with) {
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

}  // namespace

std::optional<std::string> firstTooLong(const std::vector<std::string>& paths, std::size_t room) {
    for (const std::string& path : paths) {
        const auto separator = path.find_last_of('\\');
        const std::size_t name = separator == std::string::npos ? path.size() : path.size() - separator - 1;
        if (name + room > LongestName) return path;
    }
    return std::nullopt;
}

bool hasSeparator(const std::string& name) {
    return name.find_first_of("\\/") != std::string::npos;
}

std::string wordBaseName(const std::string& documentName) {
    return beforeLast(documentName, ".doc");
}

std::string excelBaseName(const std::string& workbookName, const std::string& sheetName) {
    const std::string cleaned = cleanSheetName(sheetName);
    return beforeLast(workbookName, ".xls") + "_" + cleaned;
}

std::string cleanSheetName(const std::string& sheetName) {
    std::string name = sheetName;
    for (const char* removed : {":", "\\", "/", "?", "*", "[", "]", "="}) replaceAll(name, removed, "");
    replaceAll(name, "\"", "''");
    return name;
}

std::optional<std::string> firstFreeNumberedName(const std::string& folder, const std::string& base,
                                                 const std::string& suffix,
                                                 const std::function<bool(const std::string&)>& exists) {
    for (int n = 1; n <= 50; ++n) {
        std::string numbered = base + "_" + std::to_string(n) + suffix;
        if (!exists(folder + numbered + ".pdf")) return numbered;
    }
    return std::nullopt;
}

}  // namespace OutputNaming
