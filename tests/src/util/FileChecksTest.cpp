// The file test and the deletion with its locked-file message.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/Runtime.h"
#include "platform/runtime/script/ScriptBackend.h"
#include "src/util/FileChecks.h"
#include "tests/support/LockHolder.h"
#include "tests/support/TempFolder.h"

namespace {

class FileCheck : public ::testing::Test {
protected:
    TempFolder folder;
    std::shared_ptr<runtime::ScriptBackend> script = std::make_shared<runtime::ScriptBackend>();

    void SetUp() override { runtime::setBackend(script); }
    void TearDown() override { runtime::setBackend(nullptr); }

    // `cause` follows the system's own text where it says too little.
    std::string lockedMessage(const std::string& path, const std::string& cause = "") const {
        return "msgbox style=0 title=\"COM-Add-In: Erzeuge PDF mit Kalmora\" text=" +
               runtime::quoted("Abbruch!\n\nDatei gesperrt - Zugriff verweigert\r\n" + path + cause) + " -> 1";
    }
};

TEST_F(FileCheck, FilesAndFoldersExistAndNothingElseDoes) {
    folder.write("a b.pdf", "x");
    std::filesystem::create_directory(folder.path("Ordner"));
    EXPECT_EQ(FileChecks::FileFolderExists(folder.windowsPath("a b.pdf")), com::True);
    EXPECT_EQ(FileChecks::FileFolderExists(folder.path("a b.pdf")), com::True);
    EXPECT_EQ(FileChecks::FileFolderExists(folder.windowsPath("Ordner")), com::True);
    EXPECT_EQ(FileChecks::FileFolderExists(folder.windowsPath("Ordner") + "\\"), com::True);
    EXPECT_EQ(FileChecks::FileFolderExists(folder.windowsPath("fehlt.pdf")), com::False);
    EXPECT_EQ(FileChecks::FileFolderExists(""), com::False);
    EXPECT_TRUE(script->record().empty());
}

TEST_F(FileCheck, DeletingAMissingOrUnlockedFileSucceedsSilently) {
    folder.write("weg.pdf", "x");
    EXPECT_EQ(FileChecks::DeleteExistingFile(folder.windowsPath("weg.pdf")), com::True);
    EXPECT_EQ(FileChecks::DeleteExistingFile(folder.windowsPath("nie-da.pdf")), com::True);
    EXPECT_TRUE(folder.names().empty());
    EXPECT_TRUE(script->record().empty());
}

TEST_F(FileCheck, AFileInUseOrAFolderIsReportedAndStays) {
    folder.write("offen.pdf", "x");
    std::filesystem::create_directory(folder.path("Ordner.pdf"));
    script->queue("msgbox ok");
    script->queue("msgbox ok");
    {
        LockHolder lock(folder.path("offen.pdf"));
        EXPECT_EQ(FileChecks::DeleteExistingFile(folder.windowsPath("offen.pdf")), com::False);
    }
    EXPECT_EQ(FileChecks::DeleteExistingFile(folder.windowsPath("Ordner.pdf")), com::False);
    EXPECT_EQ(script->record(), (std::vector<std::string>{lockedMessage(folder.windowsPath("offen.pdf")),
                                                          lockedMessage(folder.windowsPath("Ordner.pdf"),
                                                                        "\r\nDort steht ein Ordner, keine Datei.")}));
    EXPECT_EQ(folder.read("offen.pdf"), "x");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path("Ordner.pdf")));
    // Once the other program has let go, the file can be deleted.
    EXPECT_EQ(FileChecks::DeleteExistingFile(folder.windowsPath("offen.pdf")), com::True);
}

}  // namespace
