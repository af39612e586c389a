// An output file of the result's name exists: the remembered answer, the
// question, and what ends up in the settings file and the output folder.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include <functional>

#include "platform/win32/FileClaim.h"
#include "src/export/OutputNaming.h"
#include "src/export/RunJournal.h"
#include "tests/src/export/ExportFixture.h"
#include "tests/support/LockHolder.h"
#include "tests/support/OrdinaryUser.h"

namespace {

namespace fs = std::filesystem;

class Collision : public ExportFixture {
protected:
    void SetUp() override {
        ExportFixture::SetUp();
        wordDocument();
        folder.write("Dokumente/Angebot.pdf", "alt");
    }
    std::string settingsBytes() const { return folder.read("AddIn/pdf-Kalmora.ini"); }
    std::string baseSettings() const {
        return "[Global]\r\nErsteSeite=" + letterheads() + "\\erste.pdf\r\nZweiteSeite=" + letterheads() +
               "\\zweite.pdf\r\n";
    }
    std::string question(const std::string& focus, const std::string& outcome) const {
        return "dialog text=" +
               runtime::quoted("Die Ausgabedatei " + documents() + "\\Angebot.pdf existiert bereits!") +
               " focus=" + focus + " -> " + outcome;
    }
    bool oldFileStays() const { return folder.read("Dokumente/Angebot.pdf") == "alt"; }
    std::string opened(const std::string& name) const {
        return "open " + runtime::quoted(folder.path("Dokumente/" + name));
    }
};

TEST_F(Collision, TheQuestionAndWhatEachAnswerLeavesBehind) {
    struct Case {
        const char* answer;
        std::string recorded;
        std::string written;  // after the letterhead keys
        bool oldFileStays;
        std::string result;  // the new PDF; empty when none is made
    };
    const Case cases[] = {
        {"dialog rename remember", question("cmdRename", "rename remember"),
         "WordOverwrite=0\r\nWordRename=-1\r\nWordGelesen=1\r\n", true, "Angebot_1.pdf"},
        {"dialog overwrite", question("cmdRename", "overwrite"),
         "WordOverwrite=-1\r\nWordRename=0\r\nWordGelesen=0\r\n", false, "Angebot.pdf"},
        {"dialog cancel remember", question("cmdRename", "cancel remember"), "", true, ""},
        // The close box is a cancel: nothing is remembered and the old file stays.
        {"dialog close remember", question("cmdRename", "close remember"), "", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        settings("");
        for (const auto& entry : fs::directory_iterator(folder.path("Dokumente"))) fs::remove(entry.path());
        folder.write("Dokumente/Angebot.pdf", "alt");
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", c.answer});
        runtime::setBackend(script);
        run(*word);
        std::vector<std::string> expected = {shown::choice + " -> 0", c.recorded};
        if (!c.result.empty()) expected.push_back(opened(c.result));
        EXPECT_EQ(record(), expected);
        EXPECT_EQ(settingsBytes(), baseSettings() + c.written);
        EXPECT_EQ(oldFileStays(), c.oldFileStays);
        EXPECT_FALSE(script->metUnexpected());
    }
}

TEST_F(Collision, ARememberedAnswerIsUsedWithoutAsking) {
    struct Case {
        const char* name;
        std::string keys;
        bool oldFileStays;
        std::string result;
    };
    const Case cases[] = {
        {"overwrite", "WordGelesen=1\r\nWordOverwrite=-1\r\nWordRename=0\r\n", false, "Angebot.pdf"},
        {"neither flag means overwrite", "WordGelesen=1\r\nWordOverwrite=0\r\nWordRename=0\r\n", false, "Angebot.pdf"},
        {"rename written by hand as 1", "WordGelesen=-1\r\nWordRename=1\r\n", true, "Angebot_1.pdf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings(c.keys);
        for (const auto& entry : fs::directory_iterator(folder.path("Dokumente"))) fs::remove(entry.path());
        folder.write("Dokumente/Angebot.pdf", "alt");
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0"});
        runtime::setBackend(script);
        run(*word);
        EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0", opened(c.result)}));
        EXPECT_EQ(oldFileStays(), c.oldFileStays);
        EXPECT_EQ(settingsBytes(), baseSettings() + c.keys);
    }
}

TEST_F(Collision, EachHostRemembersItsOwnAnswer) {
    settings("WordGelesen=1\r\nWordRename=-1\r\n");
    office::Document::State state;
    state.path = documents();
    state.name = "Angebot.xls";
    state.file = documentFile("Angebot.xls", threePages());
    excel->open(state, {.name = "Tabelle1", .pages = 1});
    folder.write("Dokumente/Angebot_Tabelle1.pdf", "alt");
    answers({"choice 0", "dialog overwrite remember"});
    run(*excel);
    ASSERT_EQ(record().size(), 3u);
    EXPECT_EQ(record()[1],
              "dialog text=" +
                  runtime::quoted("Die Ausgabedatei " + documents() + "\\Angebot_Tabelle1.pdf existiert bereits!") +
                  " focus=cmdRename -> overwrite remember");
    EXPECT_EQ(settingsBytes(), baseSettings() +
                                   "WordGelesen=1\r\nWordRename=-1\r\n"
                                   "ExcelOverwrite=-1\r\nExcelRename=0\r\nExcelGelesen=1\r\n");
    EXPECT_NE(folder.read("Dokumente/Angebot_Tabelle1.pdf"), "alt");
}

TEST_F(Collision, ARememberedAnswerThatCannotBeStoredIsNamedOnceAndStillCounts) {
    const std::string ini = folder.path("AddIn/pdf-Kalmora.ini");
    const std::vector<std::string> shown = {
        shown::choice + " -> 0",
        question("cmdRename", "rename remember"),
        shown::box(48, shown::title,
                   "Die Antwort lässt sich nicht als Standard speichern:\r\n" + addIn() +
                       "\\pdf-Kalmora.ini\r\nZugriff verweigert: Die Datei ist schreibgeschützt oder gehört einem "
                       "anderen Benutzer.\r\nDie Antwort gilt nur für diesen PDF-Ausdruck; beim nächsten wird wieder "
                       "gefragt.",
                   1),
        opened("Angebot_1.pdf"),
        shown::choice + " -> 0",
        question("cmdRename", "rename remember"),
        opened("Angebot_2.pdf")};
    // Root's file read-only, then root's file readable by all, in a folder the ordinary user may write.
    for (const unsigned mode : {0444u, 0644u}) {
        SCOPED_TRACE(mode);
        const bool asUser = mode == 0644u;
        if (asUser && !OrdinaryUser::available()) continue;
        INI_Datei::ResetState();  // a new start of the host
        settings("");
        fs::remove(folder.path("Dokumente/Angebot_1.pdf"));
        fs::remove(folder.path("Dokumente/Angebot_2.pdf"));
        fs::permissions(ini, fs::perms(mode));
        // Everything but the settings file is the user's.
        int refused = asUser ? ::chown(folder.path().c_str(), OrdinaryUser::uid, OrdinaryUser::gid) : 0;
        for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
            if (asUser && entry.path() != ini)
                refused |= ::lchown(entry.path().c_str(), OrdinaryUser::uid, OrdinaryUser::gid);
        ASSERT_EQ(refused, 0);
        answers({"choice 0", "dialog rename remember", "msgbox ok", "choice 0", "dialog rename remember"});
        {
            const std::optional<OrdinaryUser> user = asUser ? std::make_optional<OrdinaryUser>() : std::nullopt;
            run(*word);
            run(*word);
        }
        EXPECT_EQ(std::vector<std::string>(record().end() - 7, record().end()), shown);
        EXPECT_EQ(settingsBytes(), baseSettings());
        struct stat after {};
        ASSERT_EQ(::stat(ini.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, 0u);
        EXPECT_EQ(after.st_mode & 07777, mode);
    }
}

TEST_F(Collision, AfterOverwritingTheNextQuestionOffersOverwriteFirst) {
    answers({"choice 0", "dialog overwrite", "choice 0", "dialog cancel"});
    run(*word);
    folder.write("Dokumente/Angebot.pdf", "neu");
    run(*word);
    EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0", question("cmdRename", "overwrite"),
                                                  opened("Angebot.pdf"), shown::choice + " -> 0",
                                                  question("OKButton", "cancel")}));
}

TEST_F(Collision, ACancelFromAnEarlierRunDoesNotEndALaterRunWithARememberedAnswer) {
    answers({"choice 0", "dialog cancel", "choice 0"});
    run(*word);
    EXPECT_TRUE(oldFileStays());
    // Somebody edits the settings file between the two runs.
    settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
    run(*word);
    EXPECT_FALSE(oldFileStays());
}

TEST_F(Collision, AFolderOfTheResultsNameCountsAsAnExistingFile) {
    fs::remove(folder.path("Dokumente/Angebot.pdf"));
    fs::create_directory(folder.path("Dokumente/Angebot.pdf"));
    answers({"choice 0", "dialog overwrite", "msgbox ok"});
    run(*word);
    EXPECT_EQ(record(),
              (std::vector<std::string>{shown::choice + " -> 0", question("cmdRename", "overwrite"),
                                        shown::box(0, shown::title,
                                                   "Abbruch!\n\nDatei gesperrt - Zugriff verweigert\r\n" + documents() +
                                                       "\\Angebot.pdf\r\nDort steht ein Ordner, keine Datei.",
                                                   1)}));
    EXPECT_TRUE(fs::is_directory(folder.path("Dokumente/Angebot.pdf")));
}

TEST_F(Collision, AResultOpenInAnotherProgramIsNotOverwritten) {
    settings("WordGelesen=1\r\n");
    LockHolder viewer(folder.path("Dokumente/Angebot.pdf"));
    answers({"choice 0", "msgbox ok"});
    run(*word);
    EXPECT_EQ(record().back(),
              shown::box(0, shown::title,
                         "Abbruch!\n\nDatei gesperrt - Zugriff verweigert\r\n" + documents() + "\\Angebot.pdf", 1));
    EXPECT_EQ(folder.read("Dokumente/Angebot.pdf"), "alt");
}

TEST_F(Collision, WhenEveryNumberedNameIsTakenTheRunStopsAndDeletesNothing) {
    settings("Firmenk\xFCrzel=ABC\r\nWordGelesen=1\r\nWordRename=-1\r\n");
    folder.write("Dokumente/Angebot_ABC.pdf", "alt");
    for (int n = 1; n <= 50; ++n) folder.write("Dokumente/Angebot_" + std::to_string(n) + "_ABC.pdf", "alt");
    const auto before = folder.names("Dokumente");
    answers({"choice 0", "msgbox ok"});
    run(*word);
    const std::string numbered = documents() + "\\Angebot_";
    EXPECT_EQ(record().back(), shown::abort("Kein freier Dateiname gefunden: " + numbered + "1_ABC.pdf bis " +
                                            numbered + "50_ABC.pdf sind alle vergeben."));
    EXPECT_EQ(folder.names("Dokumente"), before);
}

TEST(NumberedNames, TheFirstFreeNumberWins) {
    std::set<std::string> taken = {"C:\\PDF\\Angebot_1_ABC.pdf", "C:\\PDF\\Angebot_2_ABC.pdf",
                                   "C:\\PDF\\Angebot_3_ABC.pdf", "C:\\PDF\\Angebot_5_ABC.pdf"};
    const auto exists = [&](const std::string& path) { return taken.count(path) > 0; };
    EXPECT_EQ(OutputNaming::firstFreeNumberedName("C:\\PDF\\", "Angebot", "_ABC", exists), "Angebot_4_ABC");
    EXPECT_EQ(OutputNaming::firstFreeNumberedName("C:\\PDF\\", "Angebot", "", exists), "Angebot_1");
    for (int n = 1; n <= 50; ++n) taken.insert("C:\\PDF\\Angebot_" + std::to_string(n) + "_ABC.pdf");
    EXPECT_EQ(OutputNaming::firstFreeNumberedName("C:\\PDF\\", "Angebot", "_ABC", exists), std::nullopt);
}

}  // namespace

namespace {

TEST_F(Collision, NamesOfEveryKindAreReplacedAgainAndLeaveOnlyTheResultAndOneTooLongIsNamed) {
    settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
    // A file of the user's named as the first line of a name with a line break.
    folder.write("Dokumente/Angebot", "MEINE DATEI");
    // 240 bytes: the result's hidden name while it waits would be longer
    // than a folder holds, and is cut.
    const std::string longName = std::string(236, 'L');
    for (const std::string& name : {longName, std::string("Dvořák"), std::string("Angebot\nKunde"),
                                    std::string("Angebot\r\nKunde"), std::string("Şahin 100%=Łukasz")}) {
        SCOPED_TRACE(name);
        wordDocument(name + ".docx");
        for (int run = 1; run <= 3; ++run) {
            answers({"choice 0"});
            this->run(*word);
            EXPECT_EQ(record().back(), opened(name + ".pdf"));
            EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf", "Angebot", name + ".pdf"}));
            EXPECT_EQ(folder.names("AddIn"), (std::set<std::string>{"pdf-Kalmora.ini", "pdftk.exe"}));
        }
        fs::remove(folder.path("Dokumente/" + name + ".pdf"));
    }
    EXPECT_EQ(folder.read("Dokumente/Angebot"), "MEINE DATEI");
    fs::remove(folder.path("Dokumente/Angebot"));
    folder.write("Dokumente/" + longName + ".pdf", "alt");
    // 250 bytes: the result would fit, the stamped first page could not.
    const std::string tooLong = std::string(246, 'T');
    wordDocument(tooLong + ".docx");
    script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok"});
    runtime::setBackend(script);
    run(*word);
    EXPECT_EQ(record().back(),
              shown::abort("Der Dateiname ist zu lang: " + documents() + "\\" + tooLong + "_$1.pdf.pdf\r\n" +
                           "Ein Dateiname hat höchstens 255 Bytes; das Dokument \"" + tooLong +
                           ".docx\" braucht einen kürzeren Namen."));
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf", longName + ".pdf"}));
}

// The PDF printer writes each file under a hidden name 10 bytes longer first:
// a name that the run's own files could hold but that one could not is
// refused before anything is printed.
TEST_F(Collision, ANameThePdfPrinterCannotHoldIsRefusedBeforePrinting) {
    struct Case {
        std::size_t baseBytes;
        std::string code;  // the company code
    };
    const Case cases[] = {{235, "KBS"}, {240, "KBS"}, {239, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.baseBytes) + " bytes, code " + c.code);
        settings(c.code.empty() ? "" : "Firmenk\xFCrzel=" + c.code + "\r\n");
        const std::string base(c.baseBytes, 'L');
        const std::string suffix = c.code.empty() ? "" : "_" + c.code;
        wordDocument(base + ".docx");
        pdfPrinter = com::AutomationObject::create<FakePdfPrinter>();
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok"});
        runtime::setBackend(script);
        run(*word);
        EXPECT_EQ(record(), (std::vector<std::string>{
                                shown::choice + " -> 0",
                                shown::abort("Der Dateiname ist zu lang: " + documents() + "\\" + base + suffix +
                                             "_$1.pdf\r\nDer PDF-Drucker \"PDFCreator\" schreibt die Datei zuerst "
                                             "unter einem 10 Bytes längeren Namen, und ein Dateiname hat höchstens "
                                             "255 Bytes; das Dokument \"" +
                                             base + ".docx\" braucht einen kürzeren Namen.")}));
        EXPECT_EQ(pdfPrinter->started, 0);
        EXPECT_TRUE(fs::is_empty(printers::spoolFolder("PDFCreator")));
        EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
    }
}

TEST_F(Collision, AnotherMachineWritingTheSameNamesIntoTheFolderKeepsThisRunFromStarting) {
    settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
    // The other machine's run holds the names until it is done.
    std::optional<win32::FileClaim> other = win32::FileClaim::tryClaim(documents() + "\\.Angebot_$.belegt");
    ASSERT_TRUE(other);
    folder.write("Dokumente/Angebot_$1.pdf", "SEITE DES ANDEREN RECHNERS");
    answers({"choice 0", "msgbox ok"});
    run(*word);
    EXPECT_EQ(record().back(),
              shown::abort("Im Ordner " + documents() +
                           "\\ wird gerade schon ein PDF-Ausdruck von \"Angebot\" "
                           "erzeugt, auf einem anderen Rechner oder in einem anderen Programm. Bitte warten, bis er "
                           "fertig ist."));
    EXPECT_TRUE(oldFileStays());
    EXPECT_EQ(folder.read("Dokumente/Angebot_$1.pdf"), "SEITE DES ANDEREN RECHNERS");
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf", "Angebot_$1.pdf", ".Angebot_$.belegt"}));
    // Once it is done, the names are free again, and the claim goes with the run.
    other.reset();
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(record().back(), opened("Angebot.pdf"));
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf", "Angebot_$1.pdf"}));
}

// A journal as a run in the document folder left it, under the names of the
// document `name`: its process ended, or `machine` another machine's.
std::string journalOf(const std::string& folder, const std::string& name, const std::vector<RunJournal::Parked>& parked,
                      const std::vector<RunJournal::Made>& made, const std::string& machine = "") {
    RunJournal::Record record;
    record.folder = folder + "\\";
    record.names = {record.folder + name + ".pdf", record.folder + name + "_$1.pdf", record.folder + name + "_$2.pdf",
                    record.folder + name + "_$1.pdf.pdf", record.folder + name + "_$2.pdf.pdf"};
    record.parked = parked;
    record.made = made;
    TempFolder scratch;
    EXPECT_TRUE(RunJournal::write(scratch.path() + "\\", record));
    std::string text = scratch.read(RunJournal::FileName);
    const auto replace = [&](const std::string& key, const std::string& value) {
        const auto start = text.find("\n" + key + "=") + key.size() + 2;
        text.replace(start, text.find('\n', start) - start, value);
    };
    // No process started a tick after the boot.
    replace("Prozessstart", "1");
    if (!machine.empty()) replace("Rechner", machine);
    return text;
}

RunJournal::Identity identityOf(const std::string& path) {
    return RunJournal::Identity::of(path).value();
}

TEST_F(Collision, AJournalIsActedOnOnlyWhenItIsOfADeadRunOfThisMachineAndOnlyOnItsOwnFiles) {
    settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
    const std::string journal = addIn() + "\\pdf-Kalmora.lauf";
    const std::string journalFile = folder.path("AddIn/pdf-Kalmora.lauf");
    const std::string damaged = "Das Laufprotokoll " + journal +
                                " ist beschädigt; es wurde nicht verwendet und nichts danach gelöscht oder "
                                "verschoben.\r\nEs liegt jetzt unter " +
                                journal + ".defekt.";
    const std::string live = "Das Laufprotokoll " + journal +
                             " gehört zu einem Export, der auf einem anderen Rechner oder in einem anderen Programm "
                             "noch laufen kann; es bleibt unberührt.\r\nDieser Export läuft ohne Protokoll: bricht "
                             "er ab, räumt der nächste Export seine Dateien nicht auf.";
    const std::string elsewhere = folder.windowsPath("Anderswo");
    struct Case {
        const char* what;
        std::function<std::string()> journal;  // its bytes; empty for a folder at its name
        std::string told;                      // the message before the result opens; empty for none
        std::set<std::string> documents;       // what the document folder holds afterwards
    };
    const std::set<std::string> onlyTheResult = {"Angebot.pdf", "Brief.pdf"};
    const Case cases[] = {
        {"files of another folder",
         [&] {
             return journalOf(
                 elsewhere, "Diplomarbeit",
                 {{elsewhere + "\\Diplomarbeit.pdf", elsewhere + "\\Notizen.txt",
                   identityOf(folder.path("Anderswo/Notizen.txt"))}},
                 {{elsewhere + "\\Diplomarbeit.docx", identityOf(folder.path("Anderswo/Diplomarbeit.docx"))}});
         },
         damaged, onlyTheResult},
        {"a file of the folder that is none of the run's names",
         [&] {
             return journalOf(documents(), "Brief", {},
                              {{documents() + "\\Brief.pdf", identityOf(folder.path("Dokumente/Brief.pdf"))},
                               {elsewhere + "\\Notizen.txt", identityOf(folder.path("Anderswo/Notizen.txt"))}});
         },
         damaged, onlyTheResult},
        {"the journal of an earlier version with a flipped count",
         [&] { return "[Lauf]\r\nZwischendateien=2000000000\r\nZwischendatei1=" + elsewhere + "\\Notizen.txt\r\n"; },
         damaged, onlyTheResult},
        {"random bytes",
         [&] {
             return std::string(
                 "\x7F"
                 "ELF\x02\x01\x01\0\0\0\n\xFF\xFE=%",
                 16);
         },
         damaged, onlyTheResult},
        {"a folder at its name", [] { return std::string(); }, damaged, onlyTheResult},
        {"a run of another machine that may still work",
         [&] {
             return journalOf(documents(), "Brief", {},
                              {{documents() + "\\Brief.pdf", identityOf(folder.path("Dokumente/Brief.pdf"))}},
                              "anderer-rechner");
         },
         live, onlyTheResult},
        {"a dead run whose result the user saved anew since, and its first page",
         [&] {
             folder.write("Dokumente/Brief_$1.pdf", "SEITE DES ABGEBROCHENEN LAUFS");
             const std::string earlier = documents() + "\\Brief.pdf";
             RunJournal::Identity before = identityOf(folder.path("Dokumente/Brief.pdf"));
             before.file.inode += 1;
             return journalOf(documents(), "Brief", {},
                              {{earlier, before},
                               {documents() + "\\Brief_$1.pdf", identityOf(folder.path("Dokumente/Brief_$1.pdf"))}});
         },
         "", onlyTheResult},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        INI_Datei::ResetState();
        fs::remove_all(folder.path("Anderswo"));
        fs::create_directory(folder.path("Anderswo"));
        for (const auto& entry : fs::directory_iterator(folder.path("Dokumente"))) fs::remove_all(entry.path());
        fs::remove_all(journalFile);
        fs::remove_all(journalFile + ".defekt");
        folder.write("Anderswo/Notizen.txt", "NOTIZEN");
        folder.write("Anderswo/Diplomarbeit.docx", "DIPLOMARBEIT");
        folder.write("Dokumente/Brief.pdf", "MEIN BRIEF");
        const std::string bytes = c.journal();
        if (bytes.empty())
            fs::create_directory(journalFile);
        else
            folder.write("AddIn/pdf-Kalmora.lauf", bytes);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok"});
        runtime::setBackend(script);
        run(*word);
        std::vector<std::string> shownThen = {shown::choice + " -> 0"};
        if (!c.told.empty()) shownThen.push_back(shown::box(48, shown::title, c.told, 1));
        shownThen.push_back(opened("Angebot.pdf"));
        EXPECT_EQ(record(), shownThen);
        EXPECT_EQ(folder.names("Dokumente"), c.documents);
        EXPECT_EQ(folder.read("Dokumente/Brief.pdf"), "MEIN BRIEF");
        EXPECT_EQ(folder.read("Anderswo/Notizen.txt"), "NOTIZEN");
        EXPECT_EQ(folder.read("Anderswo/Diplomarbeit.docx"), "DIPLOMARBEIT");
        if (c.told == live) {
            EXPECT_EQ(folder.read("AddIn/pdf-Kalmora.lauf"), bytes);
        } else {
            EXPECT_FALSE(fs::exists(journalFile));
            EXPECT_EQ(fs::exists(journalFile + ".defekt"), c.told == damaged);
        }
    }
}

}  // namespace
