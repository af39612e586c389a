// The add-in installed and used as a person does: host-app loads it from the
// class registry, its button is pressed, and the letterhead PDF appears.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/src/addin/InstalledAddIn.h"

namespace {

namespace fs = std::filesystem;

class HostApp : public InstalledAddIn {
protected:
    void SetUp() override {
        InstalledAddIn::SetUp();
        folder.write("Dokumente/Mappe.xls", "Seite eins\n\fSeite zwei\n\fSeite drei\n");
    }
    std::vector<std::string> pages(const std::string& file) const {
        std::vector<std::string> texts;
        for (int page = 1; page <= pdf::pageCount(folder.path(file)); ++page)
            texts.push_back(pdf::pageText(folder.path(file), page));
        return texts;
    }
};

TEST_F(HostApp, EachLayoutOnBothHostsFromTheButtonToTheOpenedPdf) {
    using Pages = std::vector<std::string>;
    const std::string first = " ERSTER BRIEFKOPF", following = " FOLGE BRIEFKOPF";
    struct Case {
        std::string app, document, result;
        int layout;
        Pages pages;
    };
    const Case cases[] = {
        {"word", "Angebot.doc", "Angebot.pdf", 0, {"Seite eins" + first, "Seite zwei" + following, "Seite drei" + following}},
        {"word", "Angebot.doc", "Angebot.pdf", 1, {"Seite eins" + first, "Seite zwei" + first, "Seite drei" + first}},
        {"word", "Angebot.doc", "Angebot.pdf", 2,
         {"Seite eins" + following, "Seite zwei" + following, "Seite drei" + following}},
        {"excel", "Mappe.xls", "Mappe_Tabelle1.pdf", 0,
         {"Seite eins" + first, "Seite zwei" + following, "Seite drei" + following}},
        {"excel", "Mappe.xls", "Mappe_Tabelle1.pdf", 1, {"Seite eins" + first, "Seite zwei" + first, "Seite drei" + first}},
        {"excel", "Mappe.xls", "Mappe_Tabelle1.pdf", 2,
         {"Seite eins" + following, "Seite zwei" + following, "Seite drei" + following}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.app + " layout " + std::to_string(c.layout));
        fs::remove(folder.path("Dokumente/" + c.result));
        std::string shown;
        ASSERT_EQ(host("--app " + c.app + " --open " + pdf::quoted(folder.path("Dokumente/" + c.document)) +
                           " --load PDF_Kalmora.Connect --click",
                       "choice " + std::to_string(c.layout) + "\n", &shown),
                  0);
        EXPECT_EQ(shown, "choice caption=\"Auswahl mit Doppelklick bestätigen\" -> " + std::to_string(c.layout) +
                             "\nopen \"" + folder.path("Dokumente/" + c.result) + "\"\n");
        EXPECT_EQ(pages("Dokumente/" + c.result), c.pages);
    }
    EXPECT_EQ(folder.names("Dokumente"),
              (std::set<std::string>{"Angebot.doc", "Angebot.pdf", "Mappe.xls", "Mappe_Tabelle1.pdf"}));
}

TEST_F(HostApp, AButtonLeftByACrashIsReusedAndAnUnloadRemovesIt) {
    const std::string start = "--app word --load PDF_Kalmora.Connect --dump-bars";
    const std::string button = "  \"pdf-Kalmora\" style=3 action=\"!<WordPDF_ZVK.Connect>\" visible=yes face=yes\n";
    std::string shown;
    ASSERT_EQ(host(start + " --crash", "", &shown), 0);
    EXPECT_NE(shown.find(button), std::string::npos);
    // The next start finds the button and adds no second one; the user
    // unloads the add-in and the button goes.
    ASSERT_EQ(host(start + " --unload PDF_Kalmora.Connect", "", &shown), 0);
    const auto firstDump = shown.find(button);
    ASSERT_NE(firstDump, std::string::npos);
    EXPECT_EQ(shown.find(button, firstDump + 1), std::string::npos);
}

TEST_F(HostApp, AnUnansweredWindowAndABadCommandLineHaveTheirExitStatus) {
    std::string shown;
    EXPECT_EQ(host("--app word --open " + pdf::quoted(folder.path("Dokumente/Angebot.doc")) +
                       " --load PDF_Kalmora.Connect --click",
                   "# keine Antworten\n", &shown),
              3);
    EXPECT_EQ(shown.rfind("unexpected choice caption=", 0), 0u);
    EXPECT_EQ(run(HOST_APP, "--ui"), 2);
    EXPECT_EQ(run(HOST_APP, "--gibt-es-nicht"), 2);
}

}  // namespace
