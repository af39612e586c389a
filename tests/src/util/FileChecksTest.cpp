// The file test and the deletion with its locked-file message.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/Runtime.h"
#include "platform/runtime/script/ScriptBackend.h"
#include "src/ui/frmMenue.h"
#include "tests/support/LockHolder.h"
#include "tests/support/TempFolder.h"

namespace {

class FileChecks : public ::testing::Test {
protected:
    TempFolder folder;
    std::shared_ptr<runtime::ScriptBackend> script = std::make_shared<runtime::ScriptBackend>();
    frmMenue form;

    void SetUp() override { runtime::setBackend(script); }
    void TearDown() override { runtime::setBackend(nullptr); }

    std::string lockedMessage(const std::string& path) const {
        return "msgbox style=0 title=\"COM-Add-In: Erzeuge PDF mit Kalmora\" text=" +
               runtime::quoted("Abbruch!\n\nDatei gesperrt - Zugriff verweigert\r\n" + path) + " -> 1";
    }
};

TEST_F(FileChecks, FilesAndFoldersExistAndNothingElseDoes) {
    folder.write("a b.pdf", "x");
    std::filesystem::create_directory(folder.path("Ordner"));
    EXPECT_EQ(form.FileFolderExists(folder.windowsPath("a b.pdf")), com::True);
    EXPECT_EQ(form.FileFolderExists(folder.path("a b.pdf")), com::True);
    EXPECT_EQ(form.FileFolderExists(folder.windowsPath("Ordner")), com::True);
    EXPECT_EQ(form.FileFolderExists(folder.windowsPath("Ordner") + "\\"), com::True);
    EXPECT_EQ(form.FileFolderExists(folder.windowsPath("fehlt.pdf")), com::False);
    EXPECT_EQ(form.FileFolderExists(""), com::False);
    EXPECT_TRUE(script->record().empty());
}

TEST_F(FileChecks, DeletingAMissingOrUnlockedFileSucceedsSilently) {
    folder.write("weg.pdf", "x");
    EXPECT_EQ(form.DeleteExistingFile(folder.windowsPath("weg.pdf")), com::True);
    EXPECT_EQ(form.DeleteExistingFile(folder.windowsPath("nie-da.pdf")), com::True);
    EXPECT_TRUE(folder.names().empty());
    EXPECT_TRUE(script->record().empty());
}

TEST_F(FileChecks, AFileInUseOrAFolderIsReportedAndStays) {
    folder.write("offen.pdf", "x");
    std::filesystem::create_directory(folder.path("Ordner.pdf"));
    script->queue("msgbox ok");
    script->queue("msgbox ok");
    {
        LockHolder lock(folder.path("offen.pdf"));
        EXPECT_EQ(form.DeleteExistingFile(folder.windowsPath("offen.pdf")), com::False);
    }
    EXPECT_EQ(form.DeleteExistingFile(folder.windowsPath("Ordner.pdf")), com::False);
    EXPECT_EQ(script->record(), (std::vector<std::string>{lockedMessage(folder.windowsPath("offen.pdf")),
                                                          lockedMessage(folder.windowsPath("Ordner.pdf"))}));
    EXPECT_EQ(folder.read("offen.pdf"), "x");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path("Ordner.pdf")));
    // Once the other program has let go, the file can be deleted.
    EXPECT_EQ(form.DeleteExistingFile(folder.windowsPath("offen.pdf")), com::True);
}

}  // namespace
