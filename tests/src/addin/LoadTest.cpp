// Two hundred exports in a row in one host process: the add-in loaded from
// the class registry, the real PDF printer and pdftk, every layout in turn,
// each export replacing the last one's result. Afterwards the host holds no
// more descriptors, child processes or memory than after the first exports,
// and the output folder holds the result alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "platform/office/TextPdf.h"
#include "tests/support/PdfText.h"
#include "tests/support/Processes.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// KALMORA_LOAD_EXPORTS sets another number, for a quick look by hand.
int exportCount() {
    const char* asked = std::getenv("KALMORA_LOAD_EXPORTS");
    return asked && *asked ? std::max(20, std::atoi(asked)) : 200;
}

// The memory a host may gain between the twentieth export and the last:
// room for the allocator's pools, far below what a leak per export would add.
constexpr long allowedGrowthKiB = 1024;

using UsageLine = std::map<std::string, double>;

std::vector<UsageLine> readUsage(const std::string& path) {
    std::vector<UsageLine> lines;
    std::ifstream in(path);
    for (std::string text; std::getline(in, text);) {
        UsageLine line;
        std::istringstream fields(text);
        for (std::string field; fields >> field;) {
            const auto equals = field.find('=');
            line[field.substr(0, equals)] = std::stod(field.substr(equals + 1));
        }
        lines.push_back(line);
    }
    return lines;
}

class Load : public ::testing::Test {
protected:
    TempFolder folder;

    void SetUp() override {
        ::setenv("KALMORA_WORLD", folder.path("Welt").c_str(), 1);
        fs::create_directories(folder.path("AddIn"));
        fs::create_directories(folder.path("Dokumente"));
        for (const char* file : {"PDF_Kalmora.so", "pdftk.exe", "pdftk-guard"})
            fs::copy_file(fs::path(ADDIN_FOLDER) / file, folder.path("AddIn") + "/" + file);
        folder.write("erste.pdf", office::textToPdf("\n\n\n\n\n\n\n\n\n\nERSTER BRIEFKOPF"));
        folder.write("zweite.pdf", office::textToPdf("\n\n\n\n\n\n\n\n\n\nFOLGE BRIEFKOPF"));
        // Every export after the first replaces the result without asking.
        folder.write("AddIn/pdf-Kalmora.ini", "[Global]\r\nErsteSeite=" + folder.path("erste.pdf") +
                                                  "\r\nZweiteSeite=" + folder.path("zweite.pdf") +
                                                  "\r\nWordGelesen=1\r\nWordOverwrite=-1\r\n");
        folder.write("Dokumente/Angebot.doc", "Seite eins\n\fSeite zwei\n\fSeite drei\n");
        ASSERT_EQ(run(PRINTERS_PROGRAM " add PDFCreator"), 0);
        ASSERT_EQ(run(PRINTERS_PROGRAM " add Drucker"), 0);
        ASSERT_EQ(run(PRINTERS_PROGRAM " default Drucker"), 0);
        ASSERT_EQ(run(REGSVR_PROGRAM " " + pdf::quoted(PDFPRINTER_SERVER)), 0);
        ASSERT_EQ(run(REGSVR_PROGRAM " " + pdf::quoted(folder.path("AddIn/PDF_Kalmora.so"))), 0);
    }
    void TearDown() override { ::unsetenv("KALMORA_WORLD"); }

    static int run(const std::string& command, std::string* output = nullptr) {
        const std::string out = pdf::run(command + " 2>/dev/null; echo \"exit=$?\"");
        if (output) *output = out.substr(0, out.rfind("exit="));
        return std::stoi(out.substr(out.rfind("exit=") + 5));
    }
};

TEST_F(Load, TwoHundredExportsInOneHostLeaveNothingBehind) {
    const int exports = exportCount();
    std::string answers, clicks, expected;
    const std::string opened = "open \"" + folder.path("Dokumente/Angebot.pdf") + "\"\n";
    for (int i = 0; i < exports; ++i) {
        const std::string layout = std::to_string(i % 3);
        answers += "choice " + layout + "\n";
        clicks += " --click";
        expected += "choice caption=\"Auswahl mit Doppelklick bestätigen\" -> " + layout + "\n" + opened;
    }
    folder.write("antworten.txt", answers);

    std::string shown;
    ASSERT_EQ(run(std::string(HOST_APP) + " --app word --open " + pdf::quoted(folder.path("Dokumente/Angebot.doc")) +
                      " --load PDF_Kalmora.Connect" + clicks + " --ui script:" +
                      pdf::quoted(folder.path("antworten.txt")) + " --usage " +
                      pdf::quoted(folder.path("nutzung.txt")),
                  &shown),
              0);
    EXPECT_EQ(shown, expected);

    // Nothing but the document and the last result; no program still running.
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.doc", "Angebot.pdf"}));
    EXPECT_EQ(pdf::pageCount(folder.path("Dokumente/Angebot.pdf")), 3);
    EXPECT_EQ(processesNaming(folder.path()), std::vector<std::string>{});

    const auto usage = readUsage(folder.path("nutzung.txt"));
    ASSERT_EQ(usage.size(), static_cast<std::size_t>(exports) + 1);
    const UsageLine& first = usage[1];
    const UsageLine& warm = usage[20];
    const UsageLine& last = usage.back();
    std::vector<double> seconds;
    for (std::size_t i = 1; i < usage.size(); ++i) {
        SCOPED_TRACE("after export " + std::to_string(i));
        EXPECT_EQ(usage[i].at("dateien"), first.at("dateien"));
        EXPECT_EQ(usage[i].at("kinder"), 0);
        seconds.push_back(usage[i].at("sekunden"));
    }
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LE(last.at("speicher_kb") - warm.at("speicher_kb"), allowedGrowthKiB);
#else
    // The sanitizer holds freed memory back for a while, so resident memory
    // says nothing there; its leak check at the host's exit (an exit status
    // other than 0) takes the place of this one.
#endif

    std::sort(seconds.begin(), seconds.end());
    std::cout << exports << " exports: " << seconds[seconds.size() / 2] << " s median, " << seconds.back()
              << " s longest; descriptors " << usage[0].at("dateien") << " before, " << first.at("dateien")
              << " after the first, " << last.at("dateien") << " after the last; resident memory "
              << first.at("speicher_kb") << " kB after the first, " << warm.at("speicher_kb")
              << " kB after the twentieth, " << last.at("speicher_kb") << " kB after the last (peak "
              << last.at("spitze_kb") << " kB)\n";
}

}  // namespace
