// Word and Excel each load their own copy of the add-in, and both write their
// answers into the one settings file, as often as users answer.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "src/settings/INI_Datei.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace INI_Datei;

const std::string letterheads = "ErsteSeite=C:\\Briefe\\erste.pdf\r\nZweiteSeite=C:\\Briefe\\zweite.pdf\r\n";

// A host process: writes its three answer keys `rounds` times, each round
// with the round's values, as the question's close does.
pid_t host(const std::string& file, const std::string& kind, int rounds) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    for (int round = 1; round <= rounds; ++round) {
        WriteIniString(file, Section, kind + "Overwrite", round % 2 ? "-1" : "0");
        WriteIniString(file, Section, kind + "Rename", round % 2 ? "0" : "-1");
        WriteIniString(file, Section, kind + "Gelesen", std::to_string(round));
    }
    ::_exit(0);
}

TEST(ConcurrentWriters, WordAndExcelWritingAtOnceLoseNoKeyAndNeverTearTheFile) {
    TempFolder folder;
    folder.write("pdf-Kalmora.ini", "; gemeinsame Einstellungen\r\n[Global]\r\n" + letterheads);
    const std::string file = folder.path("pdf-Kalmora.ini");
    constexpr int rounds = 1000;
    const pid_t word = host(file, "Word", rounds);
    const pid_t excel = host(file, "Excel", rounds);

    // Meanwhile a run reads the file again and again: it always finds every
    // key that was ever in it.
    int reads = 0;
    for (int status = 0; ::waitpid(word, &status, WNOHANG) == 0 || ::waitpid(excel, &status, WNOHANG) == 0;) {
        ASSERT_EQ(ReadIniString(file, Section, "ErsteSeite"), "C:\\Briefe\\erste.pdf");
        ASSERT_EQ(ReadIniString(file, Section, "ZweiteSeite"), "C:\\Briefe\\zweite.pdf");
        ++reads;
    }
    ::waitpid(word, nullptr, 0);
    ::waitpid(excel, nullptr, 0);
    EXPECT_GT(reads, 0);
    for (const char* kind : {"Word", "Excel"}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(ReadIniInteger(file, Section, std::string(kind) + "Gelesen"), rounds);
        EXPECT_EQ(ReadIniString(file, Section, std::string(kind) + "Overwrite"), "0");
        EXPECT_EQ(ReadIniString(file, Section, std::string(kind) + "Rename"), "-1");
    }
    // Nothing else in the file changed, and no temporary file stayed behind.
    const std::string bytes = folder.read("pdf-Kalmora.ini");
    EXPECT_EQ(bytes.rfind("; gemeinsame Einstellungen\r\n[Global]\r\n" + letterheads, 0), 0u);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"pdf-Kalmora.ini"}));
}

TEST(ChangingSettingsFile, ReplacedTruncatedOrMadeAFolderBetweenTwoReads) {
    TempFolder folder;
    const std::string file = folder.path("pdf-Kalmora.ini");
    folder.write("pdf-Kalmora.ini", "[Global]\r\n" + letterheads);
    EXPECT_EQ(ReadIniString(file, Section, "ErsteSeite"), "C:\\Briefe\\erste.pdf");
    // Truncated in the middle of a line.
    folder.write("pdf-Kalmora.ini", "[Global]\r\nErsteSeite=C:\\Bri");
    EXPECT_EQ(ReadIniString(file, Section, "ErsteSeite"), "C:\\Bri");
    EXPECT_EQ(ReadIniString(file, Section, "ZweiteSeite"), "");
    // Made a folder: reads find nothing, a write changes nothing.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_EQ(ReadIniString(file, Section, "ErsteSeite"), "");
    EXPECT_EQ(ReadIniInteger(file, Section, "WordGelesen"), 0);
    WriteIniString(file, Section, "WordGelesen", "1");
    EXPECT_TRUE(std::filesystem::is_directory(file));
    EXPECT_EQ(folder.names(), (std::set<std::string>{"pdf-Kalmora.ini"}));
    // Replaced by another file again: its values count from the next read on.
    std::filesystem::remove(file);
    folder.write("pdf-Kalmora.ini", "[Global]\r\nErsteSeite=D:\\neu.pdf\r\n");
    EXPECT_EQ(ReadIniString(file, Section, "ErsteSeite"), "D:\\neu.pdf");
}

}  // namespace
