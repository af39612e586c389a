#pragma once
// What a reader sees in a PDF file: its page count and the text of a page,
// through poppler's pdfinfo and pdftotext.
#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pdf {

inline std::string run(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string out;
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;)
        out.append(buffer.data(), n);
    return out;
}

inline std::string quoted(const std::string& path) {
    std::string q = "'";
    for (const char c : path) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The lines of a program's output.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// 0 when the file is no readable PDF.
inline int pageCount(const std::string& path) {
    const std::string info = run("pdfinfo " + quoted(path) + " 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

// How a page's text is compared: with blanks and line breaks folded to single
// blanks, or with its lines as pdftotext prints them (only the blanks at the end dropped).
enum class Blanks { Folded, Kept };

// The text of page `page` (from 1).
inline std::string pageText(const std::string& path, int page, Blanks blanks = Blanks::Folded) {
    const std::string n = std::to_string(page);
    const std::string raw = run("pdftotext -f " + n + " -l " + n + " " + quoted(path) + " - 2>/dev/null");
    if (blanks == Blanks::Kept) return raw.substr(0, raw.find_last_not_of(" \n\f") + 1);
    std::string text;
    for (const char c : raw) {
        const bool blank = c == ' ' || c == '\n' || c == '\f' || c == '\r' || c == '\t';
        if (blank && (text.empty() || text.back() == ' ')) continue;
        text += blank ? ' ' : c;
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The texts of all pages, in order.
inline std::vector<std::string> pageTexts(const std::string& path, Blanks blanks = Blanks::Folded) {
    std::vector<std::string> texts;
    for (int page = 1, count = pageCount(path); page <= count; ++page) texts.push_back(pageText(path, page, blanks));
    return texts;
}

}  // namespace pdf
