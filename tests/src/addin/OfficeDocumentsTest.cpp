// Real Word and Excel documents, as users write them, through the installed
// add-in: host-app opens them (the office lays them out), the button is
// pressed and the letterhead PDF holds their pages in order. Files that no
// host opens are refused before anything happens.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <set>

#include "tests/src/addin/InstalledAddIn.h"
#include "tests/support/Eventually.h"
#include "tests/support/LetterheadPages.h"
#include "tests/support/Processes.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/ZipBomb.h"

namespace {

namespace fs = std::filesystem;

const std::string kFirst = "ERSTER BRIEFKOPF", kFollowing = "FOLGE BRIEFKOPF";

class OfficeDocuments : public InstalledAddIn {
protected:
    void SetUp() override {
        InstalledAddIn::SetUp();
        // The fixture's text document makes room for the real one.
        const auto copy = fs::copy_options::overwrite_existing;
        for (const char* file : {"Angebot.docx", "Preisliste.xlsx"})
            fs::copy_file(fs::path(EXAMPLES_FOLDER) / file, folder.path("Dokumente") + "/" + file, copy);
        for (const char* file : {"Angebot.doc", "Preisliste.xls", "Kennwort.doc", "Kennwort.docx", "Leer.xlsx",
                                 "Notiz.xlsx", "Excel4.xls"})
            fs::copy_file(fs::path(OFFICE_DOCUMENTS) / file, folder.path("Dokumente") + "/" + file, copy);
        fs::create_directory(folder.path("Temp"));
        temp.emplace("TMPDIR", folder.path("Temp"));
    }
    void TearDown() override {
        // Every office a host started has ended with it, and left nothing in
        // the user's temporary folder, also when its host crashed.
        EXPECT_EQ(processesNaming(folder.path()), std::vector<std::string>{});
        EXPECT_EQ(folder.names("Temp"), std::set<std::string>{});
        temp.reset();
        InstalledAddIn::TearDown();
    }

    std::optional<ScopedVariable> temp;

    // Exports `document` on the host `app` with `layout` and `more` options;
    // the result's page texts.
    std::vector<std::string> exported(const std::string& app, const std::string& document, const std::string& more,
                                      int layout, const std::string& result) {
        fs::remove(folder.path("Dokumente/" + result));
        std::string shown;
        EXPECT_EQ(host("--app " + app + " --open " + pdf::quoted(folder.path("Dokumente/" + document)) + more +
                           " --load PDF_Kalmora.Connect --click",
                       "choice " + std::to_string(layout) + "\n", &shown),
                  0);
        EXPECT_EQ(shown, "choice caption=\"Auswahl mit Doppelklick bestätigen\" -> " + std::to_string(layout) +
                             "\nopen \"" + folder.path("Dokumente/" + result) + "\"\n");
        return pdf::pageTexts(folder.path("Dokumente/" + result));
    }

    // What host-app says, on standard error and output, and its exit status.
    std::pair<std::string, int> refused(const std::string& arguments) const {
        const std::string out = pdf::run(std::string(HOST_APP) + " " + arguments + " --load PDF_Kalmora.Connect" +
                                         " --click --ui script:/dev/null 2>&1; echo \"exit=$?\"");
        const auto at = out.rfind("exit=");
        return {out.substr(0, at), std::stoi(out.substr(at + 5))};
    }
};

// Each page holds its own text, in order, under the letterhead of its place.
void expectPages(const std::vector<std::string>& pages, const std::vector<std::string>& texts,
                 const std::vector<std::string>& letterheads) {
    expectLetterheadPages(pages, texts, letterheads, kFirst, kFollowing);
}

TEST_F(OfficeDocuments, WordDocumentsPrintTheirPagesUnderEachLayout) {
    const std::vector<std::string> offer = {"Angebot Nr. 2026-117", "Leistungsbeschreibung", "Preise und Bedingungen"};
    struct Case {
        std::string document, result;
        int layout;
        std::vector<std::string> letterheads;
    };
    const Case cases[] = {
        {"Angebot.docx", "Angebot.pdf", 0, {kFirst, kFollowing, kFollowing}},
        {"Angebot.docx", "Angebot.pdf", 1, {kFirst, kFirst, kFirst}},
        {"Angebot.docx", "Angebot.pdf", 2, {kFollowing, kFollowing, kFollowing}},
        {"Angebot.doc", "Angebot.pdf", 0, {kFirst, kFollowing, kFollowing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document + " layout " + std::to_string(c.layout));
        expectPages(exported("word", c.document, "", c.layout, c.result), offer, c.letterheads);
    }
    // The office writes nothing beside the documents (no lock files).
    EXPECT_EQ(folder.names("Dokumente"),
              (std::set<std::string>{"Angebot.doc", "Angebot.docx", "Angebot.pdf", "Excel4.xls", "Kennwort.doc",
                                     "Kennwort.docx", "Leer.xlsx", "Notiz.xlsx", "Preisliste.xls", "Preisliste.xlsx"}));
}

TEST_F(OfficeDocuments, AWorkbookPrintsItsActiveSheetOrTheOneAskedFor) {
    const std::vector<std::string> prices = {"Seite 1: Vorlagen", "Seite 2: Schulung", "Seite 3: Betreuung"};
    const std::vector<std::string> following = {kFirst, kFollowing, kFollowing};
    // The sheet the workbook stores as active, not its first.
    expectPages(exported("excel", "Preisliste.xlsx", "", 0, "Preisliste_Preise.pdf"), prices, following);
    expectPages(exported("excel", "Preisliste.xlsx", " --sheet Übersicht", 0, "Preisliste_Übersicht.pdf"),
                {"Kalmora Büroservice: Preisliste 2027"}, {kFirst});
    expectPages(exported("excel", "Preisliste.xls", " --sheet Preise", 1, "Preisliste_Preise.pdf"), prices,
                {kFirst, kFirst, kFirst});
    // A comment shown on the sheet prints nowhere, as in Excel.
    const auto noted = exported("excel", "Notiz.xlsx", " --sheet Übersicht", 0, "Notiz_Übersicht.pdf");
    expectPages(noted, {"Kalmora Büroservice: Preisliste 2027"}, {kFirst});
    EXPECT_EQ(noted.at(0).find("Interne Notiz"), std::string::npos) << noted.at(0);
    // An Excel 4.0 worksheet, which is no compound file.
    expectPages(exported("excel", "Excel4.xls", "", 0, "Excel4_Sheet1.pdf"), {"Preisliste 1992 Vorlagen"}, {kFirst});
}

TEST_F(OfficeDocuments, AnEmptySheetAndANewDocumentStopWithTheirMessage) {
    std::string shown;
    ASSERT_EQ(host("--app excel --open " + pdf::quoted(folder.path("Dokumente/Leer.xlsx")) +
                       " --load PDF_Kalmora.Connect --click",
                   "msgbox ok\n", &shown),
              0);
    EXPECT_EQ(shown,
              "msgbox style=0 title=\"COM-Add-In: Erzeuge PDF mit Kalmora\" text=\"leeres Dokument - "
              "Ausdruck nicht erforderlich\\r\\nDas Blatt Leer der Arbeitsmappe Leer.xlsx hat keine Seite zu "
              "drucken.\" -> 1\n");
    // Excel without a workbook has nothing to print either.
    ASSERT_EQ(host("--app excel --load PDF_Kalmora.Connect --click", "msgbox ok\n", &shown), 0);
    EXPECT_EQ(shown,
              "msgbox style=0 title=\"COM-Add-In: Erzeuge PDF mit Kalmora\" text=\"leeres Dokument - "
              "Ausdruck nicht erforderlich\\r\\nIn Excel ist keine Arbeitsmappe geöffnet.\" -> 1\n");
    // A new document counts as saved: no question to save it, only that it
    // has never been stored.
    ASSERT_EQ(host("--app word --new --load PDF_Kalmora.Connect --click", "msgbox ok\n", &shown), 0);
    EXPECT_EQ(shown,
              "msgbox style=16 title=\"COM-Add-In: Erzeuge PDF mit Kalmora\" text=\"Das Dokument hat keine "
              "Inhalt\" -> 1\n");
}

TEST_F(OfficeDocuments, FilesNoHostOpensAreRefusedBeforeAnythingHappens) {
    const std::string offer = folder.read("Dokumente/Angebot.docx");
    folder.write("Dokumente/Halb.docx", offer.substr(0, offer.size() / 2));
    std::string noise(4096, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919 + 13) % 251);
    folder.write("Dokumente/Rauschen.docx", noise);
    fs::create_directory(folder.path("Dokumente/Briefe.docx"));
    ASSERT_EQ(::mkfifo(folder.path("Dokumente/Pipe.xlsx").c_str(), 0600), 0);
    const auto before = folder.names("Dokumente");
    const std::string dir = folder.path("Dokumente") + "/";
    struct Case {
        std::string arguments, said;
    };
    const Case cases[] = {
        {"--app word --open " + dir + "Kennwort.doc",
         "\"" + dir + "Kennwort.doc\" lässt sich nicht öffnen: Das Dokument ist mit einem Kennwort geschützt."},
        // Encrypted as Word encrypts (agile).
        {"--app word --open " + dir + "Kennwort.docx",
         "\"" + dir + "Kennwort.docx\" lässt sich nicht öffnen: Das Dokument ist mit einem Kennwort geschützt."},
        {"--app word --open " + dir + "Halb.docx",
         "\"" + dir + "Halb.docx\" lässt sich nicht öffnen: Die Datei ist beschädigt oder kein Office-Dokument."},
        {"--app word --open " + dir + "Rauschen.docx",
         "\"" + dir +
             "Rauschen.docx\" lässt sich nicht öffnen: Die Datei ist weder Text noch ein Word- oder Excel-Dokument."},
        {"--app word --open " + dir + "Fehlt.docx",
         "\"" + dir + "Fehlt.docx\" lässt sich nicht öffnen: Die Datei gibt es nicht."},
        {"--app word --open " + dir + "Briefe.docx",
         "\"" + dir + "Briefe.docx\" lässt sich nicht öffnen: Der Pfad ist ein Ordner."},
        // Nobody writes into the pipe: the host never opens it.
        {"--app excel --open " + dir + "Pipe.xlsx",
         "\"" + dir + "Pipe.xlsx\" lässt sich nicht öffnen: Der Pfad ist keine gewöhnliche Datei, sondern eine Pipe."},
        {"--app word --open /dev/null",
         "\"/dev/null\" lässt sich nicht öffnen: Der Pfad ist keine gewöhnliche Datei, sondern ein Gerät."},
        {"--app word --open " + dir + "Preisliste.xlsx",
         "\"" + dir + "Preisliste.xlsx\" lässt sich nicht öffnen: Die Datei ist kein Word-Dokument."},
        {"--app excel --open " + dir + "Angebot.docx",
         "\"" + dir + "Angebot.docx\" lässt sich nicht öffnen: Die Datei ist keine Excel-Arbeitsmappe."},
        {"--app excel --open " + dir + "Preisliste.xlsx --sheet Umsatz",
         "\"" + dir +
             "Preisliste.xlsx\" lässt sich nicht öffnen: Die Arbeitsmappe hat kein Blatt \"Umsatz\"; ihre Blätter: "
             "Übersicht, Preise."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(refused(c.arguments), std::make_pair("host-app: " + c.said + "\n", 2));
    }
    EXPECT_EQ(folder.names("Dokumente"), before);

    // A zip bomb would hold the host at --open for minutes.
    writeZipBomb(folder.path("Riesig.ods"));
    const ScopedVariable limit("KALMORA_OFFICE_SECONDS", "5");
    EXPECT_EQ(
        refused("--app excel --open " + folder.path("Riesig.ods")),
        std::make_pair("host-app: \"" + folder.path("Riesig.ods") +
                           "\" lässt sich nicht öffnen: Das Dokument ist zu groß: Das Office-Programm hat es nicht "
                           "in 5 Sekunden geöffnet und gesetzt.\n",
                       2));
}

TEST_F(OfficeDocuments, WordAndExcelAtOnceEachHaveAnOfficeThatEndsWithThem) {
    // Both open their document at the same moment (an exit status of 2
    // would be a refusal) and end without a word, as after a crash.
    const std::string word = std::string(HOST_APP) + " --app word --open " +
                             pdf::quoted(folder.path("Dokumente/Angebot.docx")) + " --crash --ui script:/dev/null";
    const std::string excel = std::string(HOST_APP) + " --app excel --open " +
                              pdf::quoted(folder.path("Dokumente/Preisliste.xlsx")) + " --crash --ui script:/dev/null";
    EXPECT_EQ(pdf::run("{ (" + word + "; echo word=$?) & (" + excel + "; echo excel=$?) & wait; } | sort"),
              "excel=0\nword=0\n");
    // Their offices end once the kernel has told them that their host died,
    // which on a busy machine takes a moment.
    const auto allEnded = [&] { return processesNaming(folder.path()).empty(); };
    EXPECT_TRUE(eventually(allEnded, std::chrono::seconds(30)))
        << ::testing::PrintToString(processesNaming(folder.path()));

    // A host that waits in its window is killed once its office runs.
    const int pid =
        std::stoi(pdf::run("QT_QPA_PLATFORM=offscreen " + std::string(HOST_APP) + " --ui qt --open " +
                           pdf::quoted(folder.path("Dokumente/Angebot.docx")) + " >/dev/null 2>&1 & echo $!"));
    ASSERT_TRUE(
        eventually([&] { return !processesNaming(folder.path("Welt/office/")).empty(); }, std::chrono::seconds(60)));
    EXPECT_EQ(::kill(pid, SIGKILL), 0);
    EXPECT_TRUE(eventually(allEnded, std::chrono::seconds(30)))
        << ::testing::PrintToString(processesNaming(folder.path()));
}

}  // namespace
