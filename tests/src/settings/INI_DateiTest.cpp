// The settings operations against real files: what is read, and the exact
// bytes that are written.
#include "src/settings/INI_Datei.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace INI_Datei;

class SettingsTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string file = folder.windowsPath("pdf-Kalmora.ini");
};

TEST_F(SettingsTest, TextValuesAreReadAsTheFileHoldsThem) {
    folder.write("pdf-Kalmora.ini",
                 "; Briefpapier\r\n"
                 "[global]\r\n"
                 "erSTESeite =   C:\\Brief papier\\erste.pdf  \r\n"
                 "ZweiteSeite=\"  zweite.pdf \"\r\n"
                 "Firmenk\xFCrzel=M\xFC\r\n"
                 "Leer=\r\n"
                 "PDFAusgabePfadWord='x\"\r\n");
    struct Case {
        const char* key;
        std::string value;
    };
    const Case cases[] = {
        {"ErsteSeite", "C:\\Brief papier\\erste.pdf"},
        {"ZweiteSeite", "zweite.pdf "},  // blanks inside quotes: the leading ones go with the fill
        {"Firmenkürzel", "Mü"},
        {"Leer", ""},
        {"PDFAusgabePfadWord", "'x\""},
        {"Fehlt", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ReadIniString(file, "Global", c.key), c.value);
    }
    EXPECT_EQ(ReadIniString(file, "Andere", "ErsteSeite"), "");
    EXPECT_EQ(ReadIniString(folder.windowsPath("fehlt.ini"), "Global", "ErsteSeite"), "");
}

TEST_F(SettingsTest, AFileSavedByHandAsUtf8IsReadAndKeptInUtf8) {
    const std::string byHand = "[Global]\r\nFirmenkürzel=Mü\r\nErsteSeite=/home/jürgen/Briefköpfe/erste.pdf\r\n";
    const std::string answered = "WordOverwrite=-1\r\nWordRename=0\r\nWordGelesen=1\r\n";
    const struct {
        const char* what;
        std::string before;
        std::string kuerzel, erste;
        std::string after;
    } cases[] = {
        {"UTF-8", byHand, "Mü", "/home/jürgen/Briefköpfe/erste.pdf", byHand + answered},
        {"UTF-8 with byte order mark", "\xEF\xBB\xBF" + byHand, "Mü", "/home/jürgen/Briefköpfe/erste.pdf",
         "\xEF\xBB\xBF" + byHand + answered},
        {"ASCII with byte order mark", "\xEF\xBB\xBF[Global]\r\nFirmenk\xC3\xBCrzel=KBS\r\n", "KBS", "",
         "\xEF\xBB\xBF[Global]\r\nFirmenk\xC3\xBCrzel=KBS\r\n" + answered},
        // One byte that is no UTF-8 makes the whole file Windows-1252.
        {"Windows-1252", "[Global]\r\nFirmenk\xFCrzel=M\xFC\r\nErsteSeite=/home/j\xFCrgen/Briefk\xF6pfe/erste.pdf\r\n",
         "Mü", "/home/jürgen/Briefköpfe/erste.pdf",
         "[Global]\r\nFirmenk\xFCrzel=M\xFC\r\nErsteSeite=/home/j\xFCrgen/Briefk\xF6pfe/erste.pdf\r\n" + answered},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.write("pdf-Kalmora.ini", c.before);
        EXPECT_EQ(ReadIniString(file, "Global", "Firmenkürzel"), c.kuerzel);
        EXPECT_EQ(ReadIniString(file, "Global", "ErsteSeite"), c.erste);
        EXPECT_EQ(WriteIniStrings(file, "Global", {{"WordOverwrite", "-1"}, {"WordRename", "0"}, {"WordGelesen", "1"}}),
                  std::nullopt);
        EXPECT_EQ(folder.read("pdf-Kalmora.ini"), c.after);
        EXPECT_EQ(ReadIniInteger(file, "Global", "WordGelesen"), 1);
    }
}

TEST_F(SettingsTest, ALongValueIsCutTo1023Characters) {
    const std::string value(1100, 'x');
    folder.write("pdf-Kalmora.ini", "[Global]\r\nErsteSeite=" + value + "\r\n");
    EXPECT_EQ(ReadIniString(file, "Global", "ErsteSeite"), value.substr(0, 1023));
    // Characters, not bytes: an umlaut is one character in the file.
    folder.write("pdf-Kalmora.ini", "[Global]\r\nErsteSeite=" + std::string(1100, '\xE4') + "\r\n");
    std::string umlauts;
    for (int i = 0; i < 1023; ++i) umlauts += "ä";
    EXPECT_EQ(ReadIniString(file, "Global", "ErsteSeite"), umlauts);
}

TEST_F(SettingsTest, IntegerValues) {
    folder.write("pdf-Kalmora.ini", "[Global]\r\nA=-1\r\nB=Wahr\r\nC=7\r\nD=\r\nE=42abc\r\nF=+1\r\nG=4294967295\r\n");
    struct Case {
        const char* key;
        std::int32_t value;
    };
    const Case cases[] = {{"A", -1}, {"B", 0}, {"C", 7}, {"D", 0}, {"E", 42}, {"F", 1}, {"G", -1}, {"H", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ReadIniInteger(file, "Global", c.key), c.value);
    }
}

TEST_F(SettingsTest, WritingCreatesTheFileInWindows1252) {
    WriteIniString(file, "Global", "Firmenkürzel", "Müller");
    EXPECT_EQ(folder.read("pdf-Kalmora.ini"), "[Global]\r\nFirmenk\xFCrzel=M\xFCller\r\n");
    EXPECT_EQ(ReadIniString(file, "Global", "Firmenkürzel"), "Müller");
}

TEST_F(SettingsTest, WritingChangesOneLineAndKeepsEverythingElse) {
    const std::string before =
        "; von Hand gepflegt\r\n"
        "[Global]\r\n"
        "ErsteSeite=C:\\a.pdf\r\n"
        "\r\n"
        "wordgelesen=0\r\n"
        "; Ende\r\n"
        "[Andere]\r\n"
        "WordGelesen=5";
    folder.write("pdf-Kalmora.ini", before);
    WriteIniString(file, "Global", "WordGelesen", "1");
    WriteIniString(file, "Global", "WordRename", "-1");
    EXPECT_EQ(folder.read("pdf-Kalmora.ini"),
              "; von Hand gepflegt\r\n"
              "[Global]\r\n"
              "ErsteSeite=C:\\a.pdf\r\n"
              "\r\n"
              "wordgelesen=1\r\n"
              "WordRename=-1\r\n"
              "; Ende\r\n"
              "[Andere]\r\n"
              "WordGelesen=5");
    EXPECT_EQ(folder.names(), (std::set<std::string>{"pdf-Kalmora.ini"}));
}

TEST_F(SettingsTest, AnUnwritablePlaceLosesNothingAndSaysNothing) {
    // A folder where the file should be, and a folder that does not exist.
    folder.write("inhalt", "");
    std::filesystem::create_directory(folder.path("pdf-Kalmora.ini"));
    WriteIniString(file, "Global", "WordGelesen", "1");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path("pdf-Kalmora.ini")));
    EXPECT_EQ(ReadIniString(file, "Global", "WordGelesen"), "");
    WriteIniString(folder.windowsPath("fehlt\\pdf-Kalmora.ini"), "Global", "WordGelesen", "1");
    EXPECT_FALSE(std::filesystem::exists(folder.path("fehlt")));
}

// An installation: the user's add-in folder links to the library, whose own
// folder holds the administrator's settings. Both files are Windows-1252.
class Cascade : public ::testing::Test {
protected:
    TempFolder folder;
    std::string user = folder.windowsPath("Benutzer\\pdf-Kalmora.ini");
    std::string administrator = folder.windowsPath("Verwaltung\\pdf-Kalmora.ini");

    void SetUp() override {
        std::filesystem::create_directories(folder.path("Benutzer"));
        std::filesystem::create_directories(folder.path("Verwaltung"));
        AddInFolder = folder.windowsPath("Benutzer") + "\\";
        AdministratorFolder = folder.windowsPath("Verwaltung") + "\\";
    }
    void TearDown() override { ResetState(); }
    // Writes a file, or removes it for none.
    void put(const std::string& name, const std::optional<std::string>& bytes) const {
        std::filesystem::remove(folder.path(name));
        if (bytes) folder.write(name, *bytes);
    }
};

TEST_F(Cascade, AKeyTheUsersFileLacksIsReadFromTheAdministratorsAndOnlyTheUsersFileIsWritten) {
    const std::string ersteAdmin = "/home/jürgen/Ablage für Müller/erste.pdf";
    const std::string ersteAdminBytes = "/home/j\xFCrgen/Ablage f\xFCr M\xFCller/erste.pdf";
    const std::string administratorsFile =
        "[Global]\r\nErsteSeite=" + ersteAdminBytes + "\r\nFirmenk\xFCrzel=Verw\r\nWordGelesen=1\r\nWordRename=-1\r\n";
    const std::string userLacks =
        "In " + user + " fehlt der Eintrag ErsteSeite im Abschnitt [Global], oder er ist leer.";
    struct Case {
        const char* name;
        std::optional<std::string> userFile, administratorsFile;  // none: no such file
        std::string erste;
        std::int32_t gelesen;
        std::string kuerzel;
        std::string why;  // for ErsteSeite
    };
    const Case cases[] = {
        {"the user's file has the key", "[Global]\r\nErsteSeite=/home/j\xFCrgen/Briefe/eigene.pdf\r\nWordGelesen=0\r\n",
         administratorsFile, "/home/jürgen/Briefe/eigene.pdf", 0, "Verw", ""},
        {"the user's file lacks the key", "[global]\r\nFirmenk\xFCrzel=M\xFC\r\n", administratorsFile, ersteAdmin, 1,
         "Mü", ""},
        {"the user's file lacks the section", "[Andere]\r\nErsteSeite=/x.pdf\r\n", administratorsFile, ersteAdmin, 1,
         "Verw", ""},
        {"the user's file is missing", std::nullopt, administratorsFile, ersteAdmin, 1, "Verw", ""},
        // A key the user's file has wins, also empty: the user's way to
        // switch a company setting off.
        {"the user's value is empty", "[Global]\r\nERSTESEITE=\r\nwordgelesen=\r\nFirmenk\xFCrzel=  \r\n",
         administratorsFile, "", 0, "", userLacks},
        {"the administrator's value is empty", "[Global]\r\n", "[Global]\r\nErsteSeite=\r\n", "", 0, "",
         userLacks + "\r\nIn der Einstellungsdatei des Administrators " + administrator +
             " fehlt der Eintrag ErsteSeite im Abschnitt [Global], oder er ist leer."},
        {"neither file has the key", "[Global]\r\n", "[Global]\r\nZweiteSeite=/z.pdf\r\n", "", 0, "",
         userLacks + "\r\nIn der Einstellungsdatei des Administrators " + administrator +
             " fehlt der Eintrag ErsteSeite im Abschnitt [Global], oder er ist leer."},
        {"the administrator's file saved as UTF-8", "[Global]\r\n",
         "[Global]\r\nErsteSeite=" + ersteAdmin + "\r\nFirmenkürzel=Verw\r\nWordGelesen=1\r\nWordRename=-1\r\n",
         ersteAdmin, 1, "Verw", ""},
        {"the administrator's file is missing", std::nullopt, std::nullopt, "", 0, "",
         "Die Einstellungsdatei " + user + " fehlt.\r\nDie Einstellungsdatei des Administrators " + administrator +
             " fehlt."},
        {"the administrator's file is no settings file", "[Global]\r\n", "Briefpapier", "", 0, "",
         userLacks + "\r\nDie Einstellungsdatei des Administrators " + administrator +
             " enthält keinen Abschnitt [Global]; sie lässt sich nicht als Einstellungen lesen."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put("Benutzer/pdf-Kalmora.ini", c.userFile);
        put("Verwaltung/pdf-Kalmora.ini", c.administratorsFile);
        EXPECT_EQ(ReadIniString(SettingsFile(), "Global", "ErsteSeite"), c.erste);
        EXPECT_EQ(ReadIniInteger(SettingsFile(), "Global", "WordGelesen"), c.gelesen);
        EXPECT_EQ(ReadIniString(SettingsFile(), "Global", "Firmenkürzel"), c.kuerzel);
        EXPECT_EQ(WhyNoValue(SettingsFile(), "Global", "ErsteSeite"), c.why);

        // A remembered answer goes into the user's file, created when missing.
        ASSERT_EQ(WriteIniStrings(SettingsFile(), "Global", {{"WordRename", "0"}, {"WordGelesen", "1"}}), std::nullopt);
        WriteIniString(SettingsFile(), "Global", "WordOverwrite", "-1");
        EXPECT_EQ(folder.read("Verwaltung/pdf-Kalmora.ini"), c.administratorsFile.value_or(""));
        // The user's answer wins over the administrator's "-1".
        EXPECT_EQ(ReadIniInteger(SettingsFile(), "Global", "WordRename"), 0);
        EXPECT_EQ(ReadIniInteger(SettingsFile(), "Global", "WordOverwrite"), -1);
        EXPECT_EQ(ReadIniInteger(SettingsFile(), "Global", "WordGelesen"), 1);
        EXPECT_EQ(ReadIniString(SettingsFile(), "Global", "ErsteSeite"), c.erste);
    }
}

TEST_F(Cascade, WithoutAnotherFileOfTheAdministratorNothingChanges) {
    const std::string userOnly =
        "In " + user + " fehlt der Eintrag ErsteSeite im Abschnitt [Global], oder er ist leer.";
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string erste;
        std::string why;
    };
    const Case cases[] = {
        {"no library folder known", [] { AdministratorFolder.clear(); }, "", userOnly},
        // The build tree: the library lies in the add-in folder itself,
        // here reached through a link to that folder.
        {"the library in the add-in folder",
         [this] {
             std::filesystem::create_directory_symlink(folder.path("Benutzer"), folder.path("Verknüpfung"));
             AdministratorFolder = folder.windowsPath("Verknüpfung") + "\\";
         },
         "", userOnly},
        // Settings that link to the administrator's are that one file.
        {"the user's file links to the administrator's",
         [this] {
             std::filesystem::remove(folder.path("Benutzer/pdf-Kalmora.ini"));
             std::filesystem::create_symlink(folder.path("Verwaltung/pdf-Kalmora.ini"),
                                             folder.path("Benutzer/pdf-Kalmora.ini"));
         },
         "/home/jürgen/erste.pdf", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        std::filesystem::remove(folder.path("Verknüpfung"));
        put("Benutzer/pdf-Kalmora.ini", "[Global]\r\nZweiteSeite=/z.pdf\r\n");
        put("Verwaltung/pdf-Kalmora.ini", "[Global]\r\nErsteSeite=/home/j\xFCrgen/erste.pdf\r\n");
        c.arrange();
        EXPECT_EQ(AdministratorFile(), "");
        EXPECT_EQ(ReadIniString(SettingsFile(), "Global", "ErsteSeite"), c.erste);
        EXPECT_EQ(WhyNoValue(SettingsFile(), "Global", "ErsteSeite"), c.why);
    }
}

TEST_F(Cascade, OnlyTheUsersSettingsFileFallsBack) {
    folder.write("Benutzer/andere.ini", "[Global]\r\n");
    folder.write("Verwaltung/pdf-Kalmora.ini", "[Global]\r\nErsteSeite=/home/j\xFCrgen/erste.pdf\r\n");
    EXPECT_EQ(AdministratorFile(), administrator);
    EXPECT_EQ(ReadIniString(SettingsFile(), "Global", "ErsteSeite"), "/home/jürgen/erste.pdf");
    const std::string other = folder.windowsPath("Benutzer\\andere.ini");
    EXPECT_EQ(ReadIniString(other, "Global", "ErsteSeite"), "");
    EXPECT_EQ(WhyNoValue(other, "Global", "ErsteSeite"),
              "In " + other + " fehlt der Eintrag ErsteSeite im Abschnitt [Global], oder er ist leer.");
}

TEST(FullPath, TildeIsTheHomeFolderAndNoOtherRelativePathIsOne) {
    struct Case {
        const char* home;
        std::string value;
        std::optional<std::string> path;
    };
    const Case cases[] = {
        {"/home/jürgen", "/srv/PDF", "/srv/PDF"},
        {"/home/jürgen", "\\\\server\\PDF", "\\\\server\\PDF"},
        {"/home/jürgen", "", ""},
        {"/home/jürgen", "~/PDF-Ablage", "/home/jürgen/PDF-Ablage"},
        {"/home/jürgen", "~\\Briefköpfe\\erste.pdf", "/home/jürgen\\Briefköpfe\\erste.pdf"},
        {"/home/jürgen/", "~/PDF", "/home/jürgen/PDF"},
        {"/", "~/PDF", "/PDF"},
        {"/home/jürgen", "PDF-Ablage", std::nullopt},
        {"/home/jürgen", "C:\\PDF", std::nullopt},
        {"/home/jürgen", "~", std::nullopt},
        {"/home/jürgen", "~jürgen/PDF", std::nullopt},
        {"/home/jürgen", "./PDF", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const ScopedVariable home("HOME", c.home);
        EXPECT_EQ(FullPath(c.value), c.path);
    }
}

TEST(WithTrailingBackslash, OnlyABackslashCounts) {
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"", ""},    {"C:\\PDF", "C:\\PDF\\"}, {"C:\\PDF\\", "C:\\PDF\\"}, {"/tmp/", "/tmp/\\"}, {"\\", "\\"},
        {".", ".\\"}};
    for (const Case& c : cases) EXPECT_EQ(WithTrailingBackslash(c.in), c.out) << c.in;
}

}  // namespace
