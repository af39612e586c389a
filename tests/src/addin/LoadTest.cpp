// Two hundred exports in a row in one host process: the add-in loaded from
// the class registry, the real PDF printer and pdftk, every layout in turn,
// each export replacing the last one's result. Afterwards the host holds no
// more descriptors, child processes or memory than after the first exports,
// and the output folder holds the result alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "tests/src/addin/InstalledAddIn.h"
#include "tests/support/Processes.h"

namespace {

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

class Load : public InstalledAddIn {
protected:
    void SetUp() override {
        InstalledAddIn::SetUp();
        // Every export after the first replaces the result without asking.
        settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
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

    std::string shown;
    ASSERT_EQ(host("--app word --open " + pdf::quoted(folder.path("Dokumente/Angebot.doc")) +
                       " --load PDF_Kalmora.Connect" + clicks + " --usage " + pdf::quoted(folder.path("nutzung.txt")),
                   answers, &shown),
              0)
        << shown;
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
