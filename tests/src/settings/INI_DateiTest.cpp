// The settings operations against real files: what is read, and the exact
// bytes that are written.
#include "src/settings/INI_Datei.h"

#include <gtest/gtest.h>

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
