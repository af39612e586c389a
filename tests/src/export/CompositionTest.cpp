// The letterheads laid under the printed pages by the real pdftk, the result
// put in place and opened, and nothing else left behind.
#include <filesystem>

#include "tests/src/export/ExportFixture.h"
#include "tests/support/LockHolder.h"
#include "tests/support/PdfText.h"
#include "tests/support/ScopedVariable.h"

namespace {

namespace fs = std::filesystem;

class Composition : public ExportFixture {
protected:
    std::vector<std::string> pages(const std::string& file) const { return pdf::pageTexts(folder.path(file)); }
    std::string opened(const std::string& file) const { return "open " + runtime::quoted(folder.path(file)); }
    std::string result() const { return documents() + "\\Angebot.pdf"; }
};

const std::string first = "ERSTER BRIEFKOPF";
const std::string following = "FOLGE BRIEFKOPF";

TEST_F(Composition, EachLayoutPutsItsLetterheadsUnderThePagesInOrder) {
    using Pages = std::vector<std::string>;
    struct Case {
        int layout;
        Pages pages;
    };
    const Case cases[] = {
        {0, {"Seite eins " + first, "Seite zwei " + following, "Seite drei " + following}},
        {1, {"Seite eins " + first, "Seite zwei " + first, "Seite drei " + first}},
        {2, {"Seite eins " + following, "Seite zwei " + following, "Seite drei " + following}},
    };
    settings("WordGelesen=1\r\n");  // each run replaces the last one's result
    for (const Case& c : cases) {
        SCOPED_TRACE("layout " + std::to_string(c.layout));
        script =
            std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice " + std::to_string(c.layout)});
        runtime::setBackend(script);
        wordDocument();
        run(*word);
        EXPECT_EQ(pages("Dokumente/Angebot.pdf"), c.pages);
        EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> " + std::to_string(c.layout),
                                                      opened("Dokumente/Angebot.pdf")}));
        // Nothing is left behind but the result.
        EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
    }
}

TEST_F(Composition, ASettingsFileSavedAsUtf8NamesLetterheadsAndTheOutputFolderInTheHomeFolder) {
    const std::string byHand =
        "[Global]\r\nFirmenkürzel=KBS\r\nErsteSeite=~/Briefköpfe/erste.pdf\r\nZweiteSeite=~\\Briefköpfe\\zweite.pdf\r\n"
        "PDFAusgabePfadWord=~/PDF-Ablage\r\n";
    const struct {
        const char* what;
        std::string settings;
    } cases[] = {
        {"UTF-8", byHand},
        {"UTF-8 with byte order mark", "\xEF\xBB\xBF" + byHand},
        {"Windows-1252",
         "[Global]\r\nFirmenk\xFCrzel=KBS\r\nErsteSeite=~/Briefk\xF6pfe/"
         "erste.pdf\r\nZweiteSeite=~\\Briefk\xF6pfe\\zweite."
         "pdf\r\nPDFAusgabePfadWord=~/PDF-Ablage\r\n"},
    };
    fs::create_directories(folder.path("jürgen/Briefköpfe"));
    fs::copy_file(folder.path("Briefpapier/erste.pdf"), folder.path("jürgen/Briefköpfe/erste.pdf"));
    fs::copy_file(folder.path("Briefpapier/zweite.pdf"), folder.path("jürgen/Briefköpfe/zweite.pdf"));
    const ScopedVariable home("HOME", folder.path("jürgen"));
    const fs::path workingFolder = fs::current_path();
    fs::current_path(folder.path("Dokumente"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.write("AddIn/pdf-Kalmora.ini", c.settings);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0"});
        runtime::setBackend(script);
        wordDocument();
        run(*word);
        EXPECT_EQ(record(),
                  (std::vector<std::string>{shown::choice + " -> 0", opened("jürgen/PDF-Ablage/Angebot_KBS.pdf")}));
        EXPECT_EQ(
            pages("jürgen/PDF-Ablage/Angebot_KBS.pdf"),
            (std::vector<std::string>{"Seite eins " + first, "Seite zwei " + following, "Seite drei " + following}));
        fs::remove(folder.path("jürgen/PDF-Ablage/Angebot_KBS.pdf"));
        // Nothing named "~" in the folder the host was started in.
        EXPECT_EQ(folder.names("Dokumente"), std::set<std::string>{});
    }
    fs::current_path(workingFolder);
}

TEST_F(Composition, AOnePageDocumentInTheFirstLayoutGetsTheFirstPageLetterhead) {
    office::Document::State state;
    state.path = documents();
    state.name = "Brief.docx";
    state.file = documentFile("Brief.docx", "Kurzer Brief\n");
    word->open(state);
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(pages("Dokumente/Brief.pdf"), (std::vector<std::string>{"Kurzer Brief " + first}));
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Brief.pdf"}));
}

TEST_F(Composition, FilesAndLinksAtTheRunsIntermediateNamesNeverEndUpInTheResultAndAreKept) {
    wordDocument();
    // Files of the user's, or an earlier run's, at the names this run writes
    // between printing and the result; a link to a file elsewhere, and one
    // that leads nowhere, which the printer would write through.
    const std::string old = office::textToPdf("ALTE SEITE");
    folder.write("Dokumente/Angebot_$2.pdf", old);
    folder.write("Dokumente/Angebot_$1.pdf.pdf", old);
    fs::create_directories(folder.path("Anderswo"));
    folder.write("Anderswo/fremd.pdf", old);
    fs::create_symlink(folder.path("Anderswo/fremd.pdf"), folder.path("Dokumente/Angebot_$2.pdf.pdf"));
    fs::create_symlink(folder.path("Anderswo/neu.pdf"), folder.path("Dokumente/Angebot_$1.pdf"));
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(pages("Dokumente/Angebot.pdf"),
              (std::vector<std::string>{"Seite eins " + first, "Seite zwei " + following, "Seite drei " + following}));
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf", "Angebot_$1.pdf", "Angebot_$2.pdf",
                                                                "Angebot_$1.pdf.pdf", "Angebot_$2.pdf.pdf"}));
    EXPECT_EQ(folder.read("Dokumente/Angebot_$2.pdf"), old);
    EXPECT_EQ(folder.read("Dokumente/Angebot_$1.pdf.pdf"), old);
    EXPECT_EQ(fs::read_symlink(folder.path("Dokumente/Angebot_$1.pdf")), folder.path("Anderswo/neu.pdf"));
    EXPECT_EQ(folder.names("Anderswo"), std::set<std::string>{"fremd.pdf"});
    EXPECT_EQ(folder.read("Anderswo/fremd.pdf"), old);
}

TEST_F(Composition, AnExistingResultIsReplaced) {
    settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
    folder.write("Dokumente/Angebot.pdf", office::textToPdf("ALTES ERGEBNIS"));
    wordDocument();
    answers({"choice 2"});
    run(*word);
    EXPECT_EQ(pages("Dokumente/Angebot.pdf").front(), "Seite eins " + following);
}

TEST_F(Composition, ALockedStampedFileStopsTheRunBeforeAnythingIsPrinted) {
    wordDocument();
    folder.write("Dokumente/Angebot_$1.pdf.pdf", "alt");
    LockHolder viewer(folder.path("Dokumente/Angebot_$1.pdf.pdf"));
    // Told once, when it should be moved aside before printing; the cleanup
    // leaves it alone.
    answers({"choice 0", "msgbox ok"});
    run(*word);
    const std::string locked =
        shown::box(0, shown::title,
                   "Abbruch!\n\nDatei gesperrt - Zugriff verweigert\r\n" + documents() + "\\Angebot_$1.pdf.pdf", 1);
    EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0", locked}));
    EXPECT_EQ(pdfPrinter->started, 0);
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot_$1.pdf.pdf"}));
}

TEST_F(Composition, ALockedResultIsNeitherReplacedNorOpened) {
    settings("WordGelesen=1\r\n");
    folder.write("Dokumente/Angebot.pdf", "alt");
    LockHolder viewer(folder.path("Dokumente/Angebot.pdf"));
    wordDocument();
    answers({"choice 0", "msgbox ok"});
    run(*word);
    EXPECT_EQ(record(),
              (std::vector<std::string>{
                  shown::choice + " -> 0",
                  shown::box(0, shown::title, "Abbruch!\n\nDatei gesperrt - Zugriff verweigert\r\n" + result(), 1)}));
    EXPECT_EQ(folder.read("Dokumente/Angebot.pdf"), "alt");
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
}

TEST_F(Composition, APdftkThatCannotStartIsReportedForEachCommandWithWhyAndNoResultIsClaimed) {
    const std::string program = addIn() + "\\pdftk.exe";
    struct Case {
        const char* name;
        const char* bytes;  // null: no pdftk.exe
        std::string why;
    };
    const Case cases[] = {
        {"missing", nullptr, "Das Programm " + program + " fehlt."},
        {"not executable", "#!/bin/sh\n", "Das Programm " + program + " lässt sich nicht ausführen."},
    };
    const std::string pdftk = "\"" + program + "\"";
    const std::string printed = documents() + "\\Angebot_$";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(folder.path("AddIn/pdftk.exe"));
        if (c.bytes) folder.write("AddIn/pdftk.exe", c.bytes);
        wordDocument();
        script = std::make_shared<runtime::ScriptBackend>(
            std::vector<std::string>{"choice 0", "msgbox ok", "msgbox ok", "msgbox ok"});
        runtime::setBackend(script);
        run(*word);
        const auto startFailed = [&](const std::string& command) {
            return shown::box(48, shown::title,
                              "Starten der Anwendung ist fehlgeschlagen!\r\n" + command + "\r\n" + c.why, 1);
        };
        EXPECT_EQ(record(), (std::vector<std::string>{
                                shown::choice + " -> 0",
                                startFailed(pdftk + " \"" + printed + "1.pdf\" background \"" + letterheads() +
                                            "\\erste.pdf\" output \"" + printed + "1.pdf.pdf\""),
                                startFailed(pdftk + " \"" + printed + "2.pdf\" background \"" + letterheads() +
                                            "\\zweite.pdf\" output \"" + printed + "2.pdf.pdf\""),
                                shown::abort("Es wurde keine PDF-Datei erzeugt: " + result() + "\r\n" + c.why)}));
        EXPECT_TRUE(folder.names("Dokumente").empty());
    }
}

TEST_F(Composition, APdftkThatFailsOrALetterheadDamagedDuringTheRunIsNamedAndNoResultIsClaimed) {
    struct Case {
        const char* name;
        std::string pdftk;  // the program pdftk.exe runs; empty: the real one
        std::string why;
    };
    const std::string pdftk = folder.path("pdftk");
    const std::string talker =
        "#!/bin/bash\nfor i in $(seq 1 40); do echo \"Error: Zeile $i von pdftk\" >&2; done\nexit 3\n";
    std::string said;
    for (int i = 1; said.size() < 400; ++i) said += "Error: Zeile " + std::to_string(i) + " von pdftk\n";
    said.resize(400);
    // The letterhead is replaced by garbage after the check at the start.
    const std::string garbler =
        "#!/bin/bash\nprintf 'kaputt' > " + folder.path("Briefpapier/erste.pdf") + "\nexec /usr/bin/pdftk \"$@\"\n";
    const Case cases[] = {
        {"pdftk says why", talker, "pdftk endete mit dem Code 3 und meldete:\r\n" + said + " …"},
        {"the program under pdftk.exe missing", "",
         "pdftk endete mit dem Code 127 und meldete:\r\npdftk.exe: " + folder.path("fehlt") +
             " konnte nicht gestartet werden: Die Datei fehlt."},
        {"letterhead damaged", garbler,
         "Der Kopfbogen " + letterheads() +
             "\\erste.pdf lässt sich nicht verwenden:\r\nDie Datei ist keine PDF-Datei."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write("Briefpapier/erste.pdf", office::textToPdf("\n\n\n\n\n\n\n\n\n\nERSTER BRIEFKOPF"));
        folder.write("pdftk", c.pdftk);
        fs::permissions(pdftk, fs::perms::owner_all);
        const ScopedVariable program("KALMORA_PDFTK", c.pdftk.empty() ? folder.path("fehlt") : pdftk);
        wordDocument();
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok"});
        runtime::setBackend(script);
        run(*word);
        EXPECT_EQ(record(), (std::vector<std::string>{
                                shown::choice + " -> 0",
                                shown::abort("Es wurde keine PDF-Datei erzeugt: " + result() + "\r\n" + c.why)}));
        EXPECT_TRUE(folder.names("Dokumente").empty());
    }
}

TEST_F(Composition, APathWithADoubleQuoteIsRefusedBeforeAnythingIsPrinted) {
    const std::string odd = letterheads() + "\\\" output \"x.pdf";
    const std::string document = "Angebot \"neu\".docx";
    struct Case {
        std::string outputFolder, document, refusal;
        std::vector<std::string> answers;
    };
    const Case cases[] = {
        {odd,
         "Angebot.docx",
         "Der Pfad enthält ein Anführungszeichen und kann nicht verarbeitet werden: " + odd + "\\Angebot.pdf",
         {"choice 0", "msgbox ok"}},
        {"",
         document,
         "Der Dokumentname " + document + " enthält ein Anführungszeichen und kann nicht verarbeitet werden.",
         {"msgbox ok"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        settings("PDFAusgabePfadWord=" + c.outputFolder + "\r\n");
        wordDocument(c.document);
        script = std::make_shared<runtime::ScriptBackend>(c.answers);
        runtime::setBackend(script);
        run(*word);
        EXPECT_EQ(record().back(), shown::abort(c.refusal));
        EXPECT_EQ(pdfPrinter->started, 0);
        EXPECT_EQ(folder.names("Dokumente"), std::set<std::string>{});
    }
}

}  // namespace

namespace {

TEST_F(Composition, ASecondClickWhileARunWaitsIsRefusedAndTheFirstRunEndsNormally) {
    wordDocument();
    answers({"choice 0", "msgbox ok"});
    // The user clicks the button again while the first run waits for the
    // choice window's successor steps and handles pending events.
    script->atNextEvents([this] { run(*word); });
    run(*word);
    EXPECT_EQ(record(),
              (std::vector<std::string>{
                  shown::choice + " -> 0",
                  shown::box(48, shown::title, "Der PDF-Ausdruck läuft bereits. Bitte warten, bis er fertig ist.", 1),
                  "open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf"))}));
    EXPECT_EQ(pdf::pageCount(folder.path("Dokumente/Angebot.pdf")), 3);
    // Once the first run is over, the button works again.
    answers({"choice 1", "dialog overwrite"});
    run(*word);
    EXPECT_EQ(record().back(), "open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf")));
}

}  // namespace
