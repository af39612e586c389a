#include "PrintWorld.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <stdexcept>

#include "platform/printers/PrintSystem.h"
#include "tests/support/PdfText.h"

namespace office::testing {

namespace fs = std::filesystem;

std::string PrintWorld::file(const std::string& name, const std::string& contents) const {
    folder_.write(name, contents);
    return folder_.path(name);
}

std::vector<std::string> PrintWorld::jobs(const std::string& printer) {
    std::vector<std::pair<long, std::string>> numbered;
    for (const auto& entry : fs::directory_iterator(printers::spoolFolder(printer))) {
        if (entry.path().extension() == ".pdf") {
            numbered.emplace_back(std::stol(entry.path().stem().string()), entry.path().string());
        }
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<std::string> files;
    for (auto& job : numbered) files.push_back(std::move(job.second));
    return files;
}

std::string PrintWorld::title(const std::string& job) {
    std::ifstream in(fs::path(job).replace_extension(".title"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string pageSize(const std::string& file, int page) {
    const std::string number = std::to_string(page);
    const std::string info = pdf::run("pdfinfo -f " + number + " -l " + number + " " + pdf::quoted(file));
    const std::string label = "size: ";
    std::size_t start = info.find(label);
    if (start != std::string::npos) start = info.find_first_not_of(' ', start + label.size()) - label.size();
    const std::size_t end = info.find(" pts", start);
    if (start == std::string::npos || end == std::string::npos) throw std::runtime_error("no page size");
    return info.substr(start + label.size(), end - start - label.size());
}

std::vector<Word> words(const std::string& file, int page) {
    const std::string number = std::to_string(page);
    const std::string html =
        pdf::run("pdftotext -bbox -f " + number + " -l " + number + " " + pdf::quoted(file) + " -");
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re");
    std::vector<Word> found;
    for (auto match = std::sregex_iterator(html.begin(), html.end(), word); match != std::sregex_iterator(); ++match) {
        found.push_back({(*match)[4], std::stod((*match)[1]), std::stod((*match)[2]), std::stod((*match)[3])});
    }
    return found;
}

std::string handMadePdf(const std::vector<std::string>& texts, int width, int height) {
    const std::size_t count = texts.size();
    std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>", "",
                                        "<< /Type /Font /Subtype /Type1 /BaseFont /Courier >>"};
    std::string kids;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t page = objects.size() + 1;
        kids += std::to_string(page) + " 0 R ";
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(width) + " " +
                          std::to_string(height) + "] /Resources << /Font << /F1 3 0 R >> >> /Contents " +
                          std::to_string(page + 1) + " 0 R >>");
        const std::string content = "BT /F1 24 Tf 72 " + std::to_string(height / 2) + " Td (" + texts[i] + ") Tj ET";
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream");
    }
    objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(count) + " >>";

    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        std::string digits = std::to_string(offset);
        pdf += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}  // namespace office::testing
