// The two windows driven directly, as a backend forwards the user's actions.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/runtime/Runtime.h"
#include "platform/win32/Windows.h"
#include "src/settings/INI_Datei.h"
#include "src/ui/frmDialog.h"
#include "src/ui/frmMenue.h"
#include "src/util/SetTopMost.h"
#include "tests/support/LockHolder.h"
#include "tests/support/TempFolder.h"

namespace {

using runtime::PictureFormat;

class ChoiceWindow : public ::testing::Test {
protected:
    void SetUp() override {
        frmMenue::releaseInstance();
        runtime::app().path = "/opt/addin";
        form = &frmMenue::instance();
    }
    void TearDown() override { frmMenue::releaseInstance(); }
    frmMenue* form = nullptr;
};

TEST_F(ChoiceWindow, LoadingFillsTheListAndTheLabels) {
    form->AuswahlIndex = Layout::AllOnFollowing;
    form->load();
    const runtime::Control& list = form->control("List1");
    EXPECT_EQ(list.items, (std::vector<std::string>{"Kopfbogen 1.Seite + Kopfbogen 2. Seite",
                                                    "alles auf Kopfbogen 1. Seite", "alles auf Kopfbogen 2. Seite"}));
    EXPECT_EQ(list.listIndex, 0);
    EXPECT_EQ(list.toolTip, "Doppelkick zur Auswahl");
    EXPECT_EQ(form->outcome(), "-1");
    EXPECT_EQ(form->focus(), "List1");
    EXPECT_EQ(form->caption(), "Auswahl mit Doppelklick bestätigen");
    EXPECT_EQ(form->control("Label2").caption, "Programm Version: " KALMORA_VERSION);
    const std::string& address = form->control("Label1").caption;
    EXPECT_EQ(std::count(address.begin(), address.end(), '\n'), 6);  // seven lines
    EXPECT_EQ(address.find('\r'), std::string::npos);
    EXPECT_TRUE(form->keyPreview());
}

TEST_F(ChoiceWindow, ItsPicturesAreTheProjectsOwn) {
    form->load();
    const runtime::Picture& icon = form->control("Picture1").picture;
    EXPECT_EQ(icon.format, PictureFormat::Icon);
    EXPECT_EQ(icon.width, 32);
    EXPECT_EQ(icon.height, 32);
    // An icon file with one 32 x 32 image of 24 bits per pixel.
    ASSERT_GT(icon.data.size(), 22u);
    EXPECT_EQ(icon.data[2], 1);    // type: icon
    EXPECT_EQ(icon.data[4], 1);    // one image
    EXPECT_EQ(icon.data[6], 32);   // width
    EXPECT_EQ(icon.data[7], 32);   // height
    EXPECT_EQ(icon.data[12], 24);  // bits per pixel
    const runtime::Picture& image = form->control("Image1").picture;
    EXPECT_EQ(image.format, PictureFormat::Jpeg);
    EXPECT_EQ(image.width, 522);
    EXPECT_EQ(image.height, 443);
    ASSERT_GT(image.data.size(), 2u);
    EXPECT_EQ(image.data[0], 0xFF);
    EXPECT_EQ(image.data[1], 0xD8);  // a JPEG file starts so
}

TEST_F(ChoiceWindow, KeysAndDoubleClicksChooseOrClose) {
    struct Case {
        const char* name;
        std::function<void(frmMenue&)> act;
        int chosen;
    };
    const Case cases[] = {
        {"Enter at once",
         [](frmMenue& f) {
             int k = 13;
             f.keyPress(k);
         },
         0},
        {"Escape",
         [](frmMenue& f) {
             int k = 27;
             f.keyPress(k);
         },
         -1},
        {"double-click on the third",
         [](frmMenue& f) {
             f.control("List1").listIndex = 2;
             f.doubleClick("List1");
         },
         2},
        {"Enter after moving down",
         [](frmMenue& f) {
             f.control("List1").listIndex = 1;
             int k = 13;
             f.keyPress(k);
         },
         1},
        {"close box", [](frmMenue& f) { f.close(); }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->load();
        c.act(*form);
        EXPECT_FALSE(form->loaded());
        EXPECT_EQ(form->outcome(), std::to_string(c.chosen));
    }
}

TEST_F(ChoiceWindow, OtherKeysGoOnToTheListUnchanged) {
    form->load();
    int key = 'a';
    form->keyPress(key);
    EXPECT_EQ(key, 'a');
    EXPECT_TRUE(form->loaded());
    EXPECT_EQ(form->outcome(), "-1");
}

TEST_F(ChoiceWindow, EveryDisplayStartsAfresh) {
    form->load();
    form->control("List1").listIndex = 2;
    form->doubleClick("List1");
    form->load();
    EXPECT_EQ(form->outcome(), "-1");
    EXPECT_EQ(form->control("List1").listIndex, 0);
}

// A window that the window manager knows, to see what SetTopMost asks of it.
class RecordingWindow final : public win32::Window {
public:
    std::vector<bool> calls;
    void setTopMost(bool topMost) override { calls.push_back(topMost); }
};

TEST_F(ChoiceWindow, SetTopMostReachesAKnownWindowAndIgnoresAnythingElse) {
    RecordingWindow window;
    const win32::HWND handle = win32::registerWindow(window);
    SetTopMost(handle, com::True);
    SetTopMost(handle, com::False);
    SetTopMost(42, com::True);  // a status code, not a window
    win32::unregisterWindow(handle);
    SetTopMost(handle, com::True);
    EXPECT_EQ(window.calls, (std::vector<bool>{true, false}));
}

class QuestionWindow : public ::testing::Test {
protected:
    TempFolder folder;
    frmDialog dialog;
    void SetUp() override {
        INI_Datei::ResetState();
        INI_Datei::AddInFolder = folder.path() + "/";
        INI_Datei::HostKind = "Word";
    }
};

TEST_F(QuestionWindow, LoadingResetsTheFlagsAndReadsTheHostsLastAnswer) {
    folder.write("pdf-Kalmora.ini", "[Global]\r\nWordOverwrite=-1\r\nExcelOverwrite=0\r\n");
    INI_Datei::AnswerCancel = INI_Datei::AnswerRename = com::True;
    dialog.load();
    EXPECT_EQ(INI_Datei::AnswerCancel, com::False);
    EXPECT_EQ(INI_Datei::AnswerRename, com::False);
    EXPECT_EQ(INI_Datei::AnswerOverwrite, com::True);
    EXPECT_EQ(dialog.control("Check1").value, 0);
    EXPECT_EQ(dialog.control("Check1").caption, "Diese Antwort als Standard übernehmen und  nicht wieder Fragen?");
    EXPECT_EQ(dialog.focus(), "cmdRename");
    dialog.activate();
    EXPECT_EQ(dialog.focus(), "OKButton");
    EXPECT_EQ(dialog.caption(), "Frage ?");
    EXPECT_EQ(dialog.icon().width, 32);
}

TEST_F(QuestionWindow, TheButtonsSetTheFlags) {
    struct Case {
        const char* button;
        com::Boolean cancel, overwrite, rename;
    };
    const Case cases[] = {
        {"OKButton", com::False, com::True, com::False},
        {"cmdRename", com::False, com::False, com::True},
        {"CancelButton", com::True, com::False, com::False},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        dialog.load();
        dialog.click(c.button);
        EXPECT_FALSE(dialog.loaded());
        EXPECT_EQ(INI_Datei::AnswerCancel, c.cancel);
        EXPECT_EQ(INI_Datei::AnswerOverwrite, c.overwrite);
        EXPECT_EQ(INI_Datei::AnswerRename, c.rename);
    }
}

// Another program hangs holding the settings folder: the answer is given up
// after one wait for the folder, not one per key.
TEST_F(QuestionWindow, ASettingsFolderHeldByAHungProgramDelaysTheAnswerOnce) {
    const std::string settings = "[Global]\r\nWordOverwrite=0\r\n";
    folder.write("pdf-Kalmora.ini", settings);
    const LockHolder hung(folder.path());
    dialog.load();
    const auto clicked = std::chrono::steady_clock::now();
    dialog.click("OKButton");
    // One wait is 3 s; a wait for each of the three keys would be 9 s.
    EXPECT_LT(std::chrono::steady_clock::now() - clicked, std::chrono::seconds(6));
    EXPECT_FALSE(dialog.loaded());
    EXPECT_EQ(folder.read("pdf-Kalmora.ini"), settings);
}

TEST_F(QuestionWindow, AHostThatIsNeitherWritesNothing) {
    INI_Datei::HostKind = "";
    dialog.load();
    dialog.control("Check1").value = 1;
    dialog.click("cmdRename");
    EXPECT_TRUE(folder.names().empty());
    EXPECT_EQ(INI_Datei::AnswerRename, com::True);
}

}  // namespace
