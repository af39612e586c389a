// An output file of the result's name exists: the remembered answer, the
// question, and what ends up in the settings file and the output folder.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "src/export/OutputNaming.h"
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

TEST_F(Collision, ALongNameIsReplacedAgainAndOneTooLongForTheFolderIsNamed) {
    settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
    // A result of 240 bytes: its hidden name while it waits would be longer
    // than a folder holds, and is cut.
    const std::string longName = std::string(236, 'L');
    wordDocument(longName + ".docx");
    for (int run = 1; run <= 2; ++run) {
        answers({"choice 0"});
        this->run(*word);
        EXPECT_EQ(record().back(), opened(longName + ".pdf"));
        EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf", longName + ".pdf"}));
    }
    // 250 bytes: the result would fit, the stamped first page could not.
    const std::string tooLong = std::string(246, 'T');
    wordDocument(tooLong + ".docx");
    script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok"});
    runtime::setBackend(script);
    run(*word);
    EXPECT_EQ(record().back(),
              shown::abort("Der Dateiname ist zu lang: " + documents() + "\\" + tooLong + "_$1.pdf.pdf"));
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf", longName + ".pdf"}));
}

}  // namespace
