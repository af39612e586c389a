// The add-in installed and used as a person does: host-app loads it from the
// class registry, its button is pressed, and the letterhead PDF appears.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/pdfprinter/PrinterState.h"
#include "tests/src/addin/InstalledAddIn.h"
#include "tests/support/Eventually.h"
#include "tests/support/Processes.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/Shown.h"

namespace {

namespace fs = std::filesystem;

class HostApp : public InstalledAddIn {
protected:
    void SetUp() override {
        InstalledAddIn::SetUp();
        folder.write("Dokumente/Mappe.xls", "Seite eins\n\fSeite zwei\n\fSeite drei\n");
    }
    std::vector<std::string> pages(const std::string& file) const { return pdf::pageTexts(folder.path(file)); }
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
        {"word",
         "Angebot.doc",
         "Angebot.pdf",
         0,
         {"Seite eins" + first, "Seite zwei" + following, "Seite drei" + following}},
        {"word", "Angebot.doc", "Angebot.pdf", 1, {"Seite eins" + first, "Seite zwei" + first, "Seite drei" + first}},
        {"word",
         "Angebot.doc",
         "Angebot.pdf",
         2,
         {"Seite eins" + following, "Seite zwei" + following, "Seite drei" + following}},
        {"excel",
         "Mappe.xls",
         "Mappe_Tabelle1.pdf",
         0,
         {"Seite eins" + first, "Seite zwei" + following, "Seite drei" + following}},
        {"excel",
         "Mappe.xls",
         "Mappe_Tabelle1.pdf",
         1,
         {"Seite eins" + first, "Seite zwei" + first, "Seite drei" + first}},
        {"excel",
         "Mappe.xls",
         "Mappe_Tabelle1.pdf",
         2,
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

TEST_F(HostApp, AnInstalledAddInReadsTheCompanysSettingsAndRemembersTheAnswerInTheUsersFile) {
    // The installation: the library and its programs in a folder of their
    // own, whose settings file links to the administrator's; the user's
    // add-in folder holds links to them and no settings yet.
    fs::create_directories(folder.path("Installiert"));
    fs::create_directories(folder.path("etc"));
    for (const char* file : {"PDF_Kalmora.so", "pdftk.exe", "pdftk-guard"}) {
        fs::rename(folder.path("AddIn/") + file, folder.path("Installiert/") + file);
        fs::create_symlink(folder.path("Installiert/") + file, folder.path("AddIn/") + file);
    }
    fs::remove(folder.path("AddIn/pdf-Kalmora.ini"));
    ASSERT_EQ(run(REGSVR_PROGRAM, pdf::quoted(folder.path("AddIn/PDF_Kalmora.so"))), 0);
    const std::string ablage = folder.path("Ablage f\xFCr M\xFCller");  // Windows-1252
    const std::string company = "[Global]\r\nErsteSeite=" + ablage + "/erste.pdf\r\nZweiteSeite=" + ablage +
                                "/zweite.pdf\r\nWordGelesen=0\r\nWordOverwrite=-1\r\n";
    folder.write("etc/pdf-Kalmora.ini", company);
    fs::create_symlink(folder.path("etc/pdf-Kalmora.ini"), folder.path("Installiert/pdf-Kalmora.ini"));

    const std::string open = "--app word --open " + pdf::quoted(folder.path("Dokumente/Angebot.doc")) +
                             " --load PDF_Kalmora.Connect --click";
    const std::string opened = "open \"" + folder.path("Dokumente/Angebot.pdf") + "\"\n";
    const std::vector<std::string> letter = {"Seite eins ERSTER BRIEFKOPF", "Seite zwei FOLGE BRIEFKOPF",
                                             "Seite drei FOLGE BRIEFKOPF"};
    // A letterhead the company's file names but nobody has put there yet:
    // the user learns whose file names it.
    std::string said;
    ASSERT_EQ(host(open, "msgbox ok\n", &said), 0);
    EXPECT_EQ(said, shown::box(0, "PDF_Kalmora",
                               "Datei " + folder.path("Ablage für Müller/zweite.pdf") + " nicht gefunden bitte \r\n" +
                                   folder.path("AddIn") + "\\pdf-Kalmora.ini\r\n anpassen\r\nDer Eintrag ZweiteSeite " +
                                   "kommt aus der Einstellungsdatei des Administrators " + folder.path("Installiert") +
                                   "\\pdf-Kalmora.ini.",
                               1) +
                        "\n");

    fs::create_directories(folder.path("Ablage für Müller"));
    fs::rename(folder.path("erste.pdf"), folder.path("Ablage für Müller/erste.pdf"));
    fs::rename(folder.path("zweite.pdf"), folder.path("Ablage für Müller/zweite.pdf"));
    ASSERT_EQ(host(open, "choice 0\n", &said), 0);
    EXPECT_EQ(said, shown::choice + " -> 0\n" + opened);
    EXPECT_EQ(pages("Dokumente/Angebot.pdf"), letter);
    EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.ini")));

    // The company's last answer puts the focus on overwriting; the user's
    // remembered answer goes into the user's file alone.
    folder.write("Dokumente/Angebot.pdf", "ALT");
    ASSERT_EQ(host(open, "choice 0\ndialog overwrite remember\n", &said), 0);
    EXPECT_EQ(said,
              shown::choice + " -> 0\ndialog text=" +
                  runtime::quoted("Die Ausgabedatei " + folder.path("Dokumente") + "\\Angebot.pdf existiert bereits!") +
                  " focus=OKButton -> overwrite remember\n" + opened);
    EXPECT_EQ(pages("Dokumente/Angebot.pdf"), letter);
    EXPECT_EQ(folder.read("AddIn/pdf-Kalmora.ini"),
              "[Global]\r\nWordOverwrite=-1\r\nWordRename=0\r\nWordGelesen=1\r\n");
    EXPECT_EQ(folder.read("etc/pdf-Kalmora.ini"), company);
    EXPECT_TRUE(fs::is_symlink(folder.path("Installiert/pdf-Kalmora.ini")));

    // The user's answer wins over the company's "ask every time".
    folder.write("Dokumente/Angebot.pdf", "ALT");
    ASSERT_EQ(host(open, "choice 0\n", &said), 0);
    EXPECT_EQ(said, shown::choice + " -> 0\n" + opened);
    EXPECT_EQ(pages("Dokumente/Angebot.pdf"), letter);
    EXPECT_EQ(folder.read("etc/pdf-Kalmora.ini"), company);
    EXPECT_EQ(folder.names("Installiert"),
              (std::set<std::string>{"PDF_Kalmora.so", "pdf-Kalmora.ini", "pdftk-guard", "pdftk.exe"}));
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

const std::string kRunning =
    shown::box(48, shown::title, "Der PDF-Ausdruck läuft bereits. Bitte warten, bis er fertig ist.", 1);

TEST_F(HostApp, AnOverwrittenResultWaitsUnderANameOfItsOwnAndNoFileOfTheUsersIsTouched) {
    settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
    folder.write("Dokumente/Angebot.pdf", "ALTES ERGEBNIS");
    folder.write("Dokumente/Angebot.pdf.alt", "MEINE DATEI");
    const std::string open = "--app word --open " + pdf::quoted(folder.path("Dokumente/Angebot.doc")) +
                             " --load PDF_Kalmora.Connect --click";
    std::string said;
    ASSERT_EQ(host(open, "choice 0\n", &said), 0);
    EXPECT_EQ(pages("Dokumente/Angebot.pdf").size(), 3u);
    EXPECT_EQ(folder.read("Dokumente/Angebot.pdf.alt"), "MEINE DATEI");
    EXPECT_EQ(folder.names("Dokumente"),
              (std::set<std::string>{"Angebot.doc", "Angebot.pdf", "Angebot.pdf.alt", "Mappe.xls"}));

    // The printer stops after the first page: a three-page letter gets no
    // one-page result, and the complete one stays.
    const std::string complete = folder.read("Dokumente/Angebot.pdf");
    std::thread stopper([&] {
        eventually([&] { return fs::exists(folder.path("Dokumente/Angebot_$1.pdf")); }, std::chrono::seconds(10),
                   std::chrono::milliseconds(10));
        pdfprinter::PrinterState().setJobFlow(pdfprinter::JobFlow::Hold);
    });
    ASSERT_EQ(host(open, "choice 0\nmsgbox ok\n", &said), 0);
    stopper.join();
    EXPECT_EQ(said, shown::choice + " -> 0\n" +
                        shown::abort("Es wurde keine PDF-Datei erzeugt: " + folder.path("Dokumente") +
                                     "\\Angebot.pdf\r\nDer PDF-Drucker hat " + folder.path("Dokumente") +
                                     "\\Angebot_$2.pdf nicht geschrieben.") +
                        "\n");
    EXPECT_EQ(folder.read("Dokumente/Angebot.pdf"), complete);
    EXPECT_EQ(folder.read("Dokumente/Angebot.pdf.alt"), "MEINE DATEI");
    EXPECT_EQ(folder.names("Dokumente"),
              (std::set<std::string>{"Angebot.doc", "Angebot.pdf", "Angebot.pdf.alt", "Mappe.xls"}));
}

TEST_F(HostApp, WhatAnExportThatDiedLeftIsPutBackByTheNextOne) {
    settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
    folder.write("Dokumente/Angebot.pdf", "ALTES ERGEBNIS");
    folder.write("Dokumente/Angebot_$2.pdf", "MEINE DATEI");
    {
        // The host and its programs die while pdftk joins the pages.
        folder.write("pdftk", StalledPdftk);
        fs::permissions(folder.path("pdftk"), fs::perms::owner_all);
        const ScopedVariable pdftk("KALMORA_PDFTK", folder.path("pdftk"));
        const ScopedVariable killAt("KALMORA_KILL_AT", "cat A B");
        const ScopedVariable mark("KALMORA_KILL_MARK", folder.path("abgebrochen"));
        folder.write("antworten.txt", "choice 0\n");
        const std::string group =
            pdf::run("setsid " + std::string(HOST_APP) + " --app word --open " +
                     pdf::quoted(folder.path("Dokumente/Angebot.doc")) +
                     " --load PDF_Kalmora.Connect --click --ui script:" + pdf::quoted(folder.path("antworten.txt")) +
                     " >/dev/null 2>&1 & echo $!");
        ASSERT_TRUE(eventually([&] { return fs::exists(folder.path("abgebrochen")); }, std::chrono::seconds(60)));
        ::kill(-std::stoi(group), SIGKILL);
        ASSERT_TRUE(eventually([&] { return processesNaming(folder.path()).empty(); }, std::chrono::seconds(30)));
        ASSERT_NE(folder.read("Dokumente/Angebot.pdf"), "ALTES ERGEBNIS");
    }

    // The next export, of another document, puts back what the dead one
    // parked and removes what it made, without a word.
    std::string said;
    ASSERT_EQ(host("--app excel --open " + pdf::quoted(folder.path("Dokumente/Mappe.xls")) +
                       " --load PDF_Kalmora.Connect --click",
                   "choice 0\n", &said),
              0)
        << said;
    EXPECT_EQ(said, shown::choice + " -> 0\nopen \"" + folder.path("Dokumente/Mappe_Tabelle1.pdf") + "\"\n");
    EXPECT_EQ(folder.read("Dokumente/Angebot.pdf"), "ALTES ERGEBNIS");
    EXPECT_EQ(folder.read("Dokumente/Angebot_$2.pdf"), "MEINE DATEI");
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.doc", "Angebot.pdf", "Angebot_$2.pdf",
                                                                "Mappe.xls", "Mappe_Tabelle1.pdf"}));
    EXPECT_EQ(folder.names("AddIn"),
              (std::set<std::string>{"PDF_Kalmora.so", "pdf-Kalmora.ini", "pdftk-guard", "pdftk.exe"}));
}

TEST_F(HostApp, ADocumentNameWithBackslashesIsRefusedAndNothingIsWrittenOutsideTheOutputFolder) {
    // A legal file name here, which Windows paths would read as two folders up.
    std::filesystem::create_directories(folder.path("Dokumente/A/B"));
    folder.write("Dokumente/A/B/..\\..\\Vertrag.doc", "Seite eins\n");
    folder.write("Dokumente/Vertrag.pdf", "FREMDE DATEI");
    std::string said;
    ASSERT_EQ(host("--app word --open " + pdf::quoted(folder.path("Dokumente/A/B/..\\..\\Vertrag.doc")) +
                       " --load PDF_Kalmora.Connect --click",
                   "msgbox ok\n", &said),
              0);
    EXPECT_EQ(said, shown::abort("Der Dokumentname ..\\..\\Vertrag.doc enthält \\ oder /; die PDF-Datei käme "
                                 "nicht in den Ausgabeordner.") +
                        "\n");
    EXPECT_EQ(folder.read("Dokumente/Vertrag.pdf"), "FREMDE DATEI");
    EXPECT_EQ(folder.names("Dokumente/A/B"), std::set<std::string>{"..\\..\\Vertrag.doc"});
}

TEST_F(HostApp, WordAndExcelExportingAtOnceNeverMixTheirPages) {
    settings("WordGelesen=1\r\nWordOverwrite=-1\r\nExcelGelesen=1\r\nExcelOverwrite=-1\r\n");
    folder.write("Dokumente/Angebot.doc", "Wort eins\n\fWort zwei\n\fWort drei\n");
    folder.write("Dokumente/Mappe.xls", "Zelle eins\n\fZelle zwei\n");
    folder.write("antworten.txt", "choice 0\nmsgbox ok\n");
    const std::string script =
        " --load PDF_Kalmora.Connect --click --ui script:" + pdf::quoted(folder.path("antworten.txt"));
    const std::string word =
        std::string(HOST_APP) + " --app word --open " + pdf::quoted(folder.path("Dokumente/Angebot.doc")) + script;
    const std::string excel =
        std::string(HOST_APP) + " --app excel --open " + pdf::quoted(folder.path("Dokumente/Mappe.xls")) + script;
    const auto resultPages = [&](const std::string& name) {
        const auto texts = pages("Dokumente/" + name);
        std::filesystem::remove(folder.path("Dokumente/" + name));
        return texts;
    };
    const std::string choice = shown::choice + " -> 0\n";
    int refused = 0;
    for (int round = 1; round <= 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Both hosts are started at the same moment; each says what it showed.
        const std::string said = pdf::run("{ (" + word + " > " + pdf::quoted(folder.path("word.txt")) + ") & (" +
                                          excel + " > " + pdf::quoted(folder.path("excel.txt")) + ") & wait; }");
        EXPECT_EQ(said, "");
        for (const auto& [record, result, texts] :
             {std::tuple{folder.read("word.txt"), std::string("Angebot.pdf"),
                         std::vector<std::string>{"Wort eins ERSTER BRIEFKOPF", "Wort zwei FOLGE BRIEFKOPF",
                                                  "Wort drei FOLGE BRIEFKOPF"}},
              std::tuple{folder.read("excel.txt"), std::string("Mappe_Tabelle1.pdf"),
                         std::vector<std::string>{"Zelle eins ERSTER BRIEFKOPF", "Zelle zwei FOLGE BRIEFKOPF"}}}) {
            if (record == choice + kRunning + "\n") {
                ++refused;
                EXPECT_FALSE(std::filesystem::exists(folder.path("Dokumente/" + result)));
                continue;
            }
            EXPECT_EQ(record, choice + "open \"" + folder.path("Dokumente/" + result) + "\"\n");
            EXPECT_EQ(resultPages(result), texts);
        }
        EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.doc", "Mappe.xls"}));
    }
    // Started at the same moment, they overlap in some rounds at least.
    EXPECT_GT(refused, 0);
}

}  // namespace
