// The terminal backend: what the user reads, and what each kind of answer
// does to the message box or window.
#include "platform/runtime/terminal/TerminalBackend.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "platform/runtime/Interaction.h"

namespace {

using runtime::Control;
using runtime::ControlKind;
using runtime::UnloadReason;

const std::string askAgain = "Bitte eine der angezeigten Möglichkeiten wählen.\n";

// A list window with key preview, as a choice window is: a double-click or
// Enter chooses the highlighted entry, Escape closes without a choice. It
// records every action it receives.
class ListWindow final : public runtime::Form {
public:
    ListWindow() : Form("Wähle", 3000, 2000) {}
    int chosen = -1;
    std::vector<std::string> events;
    runtime::FormRole role() const override { return runtime::FormRole::Choice; }
    std::string outcome() const override { return std::to_string(chosen); }
    bool keyPreview() const override { return true; }

protected:
    std::vector<Control> design() const override {
        Control list{.name = "List1", .kind = ControlKind::ListBox, .tabIndex = 0};
        list.items = {"erste", "zweite", "dritte"};
        list.listIndex = 1;
        // Given out of reading order: the lower label comes first.
        Control lower{.name = "Label2", .kind = ControlKind::Label, .top = 900, .caption = "Version 1"};
        Control upper{
            .name = "Label1", .kind = ControlKind::Label, .top = 100, .caption = "Bitte wählen:\r\n  eingerückt\nEnde"};
        Control hidden{.name = "Label3", .kind = ControlKind::Label, .caption = "versteckt"};
        hidden.visible = false;
        return {list, lower, upper, hidden};
    }
    void onClick(std::string_view name) override { events.push_back("click " + std::string(name)); }
    void onDoubleClick(std::string_view name) override {
        events.push_back("doubleClick " + std::string(name));
        chosen = control("List1").listIndex;
        unload();
    }
    void onKeyPress(int& key) override {
        events.push_back("key " + std::to_string(key));
        if (key == 13) {
            chosen = control("List1").listIndex;
            unload();
        }
        if (key == 27) unload();
    }
    void onUnload(UnloadReason reason) override {
        events.push_back(reason == UnloadReason::CloseBox ? "closed" : "unloaded");
    }
};

// A question without key preview: three buttons, given out of tab order, and
// a check box. Activation may move the focus to the second button.
class QuestionWindow final : public runtime::Form {
public:
    explicit QuestionWindow(bool focusOverwrite = false)
        : Form("Frage ?", 3000, 2000), focusOverwrite_(focusOverwrite) {}
    std::string answer = "none";
    int ticked = -1;  // the box as the window saw it when it closed
    std::vector<std::string> events;
    runtime::FormRole role() const override { return runtime::FormRole::Question; }
    std::string outcome() const override { return answer; }

protected:
    std::vector<Control> design() const override {
        Control overwrite{
            .name = "OKButton", .kind = ControlKind::CommandButton, .tabIndex = 1, .caption = "Überschreiben"};
        Control rename{.name = "cmdRename", .kind = ControlKind::CommandButton, .tabIndex = 0, .caption = "Umbenennen"};
        Control cancel{
            .name = "CancelButton", .kind = ControlKind::CommandButton, .tabIndex = 2, .caption = "Abbrechen"};
        Control box{.name = "Check1", .kind = ControlKind::CheckBox, .tabIndex = 3, .caption = "Als Standard"};
        Control text{.name = "Label1", .kind = ControlKind::Label, .caption = "Die Datei x.pdf\r\ngibt es"};
        return {overwrite, rename, cancel, box, text};
    }
    void onActivate() override {
        events.push_back("activate");
        if (focusOverwrite_) setFocus("OKButton");
    }
    void onClick(std::string_view name) override {
        events.push_back("click " + std::string(name));
        if (name == "Check1") return;
        answer = std::string(name);
        unload();
    }
    void onKeyPress(int& key) override { events.push_back("key " + std::to_string(key)); }
    void onUnload(UnloadReason reason) override {
        ticked = control("Check1").value;
        if (reason == UnloadReason::CloseBox) answer = "closed";
    }

private:
    bool focusOverwrite_;
};

// A backend on scripted input, and what it wrote.
struct Terminal {
    explicit Terminal(const std::string& input) : in(input) {}
    std::istringstream in;
    std::ostringstream out;
    runtime::TerminalBackend backend{in, out};

    void show(runtime::Form& form) {
        form.load();
        backend.showModal(form);
    }
    int box(int style, const std::string& text = "Text", const std::string& title = "Titel") {
        return backend.messageBox({.prompt = text, .style = style, .title = title});
    }
    int askedAgain() const {
        int count = 0;
        for (auto at = out.str().find(askAgain); at != std::string::npos; at = out.str().find(askAgain, at + 1))
            ++count;
        return count;
    }
};

TEST(TerminalMessageBox, ShowsIconTitleTextLinesAndNumberedButtons) {
    Terminal terminal("2\n");
    EXPECT_EQ(terminal.box(33, "Nicht gespeichert.\r\nJetzt speichern?\n  eingerückt", "Speichern"), 2);
    EXPECT_EQ(terminal.out.str(),
              "\n"
              "[Frage] Speichern\n"
              "=================\n"
              "Nicht gespeichert.\n"
              "Jetzt speichern?\n"
              "  eingerückt\n"
              "1) OK  2) Abbrechen\n"
              "Auswahl: ");
}

TEST(TerminalMessageBox, HeadingNamesTheIconAndOkOnlyBoxesOfferOneButton) {
    struct Case {
        int style;
        std::string shown;
    };
    const Case cases[] = {
        {0, "\nTitel\n=====\nText\n1) OK\nAuswahl: "},
        {16, "\n[Stopp] Titel\n=============\nText\n1) OK\nAuswahl: "},
        {48, "\n[Achtung] Titel\n===============\nText\n1) OK\nAuswahl: "},
        {17, "\n[Stopp] Titel\n=============\nText\n1) OK  2) Abbrechen\nAuswahl: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        Terminal terminal("1\n");
        terminal.box(c.style);
        EXPECT_EQ(terminal.out.str(), c.shown);
    }
}

TEST(TerminalMessageBox, AnswersGiveTheButtonAndAnythingElseIsAskedAgain) {
    struct Case {
        int style;
        std::string input;
        int result;
        int askedAgain;
    };
    const Case cases[] = {
        {33, "1\n", runtime::vbOK, 0},        {33, "2\n", runtime::vbCancel, 0},
        {33, "\n", runtime::vbOK, 0},         {33, " 0 \r\n", runtime::vbCancel, 0},
        {33, "esc\n", runtime::vbCancel, 0},  {33, "\x1b\n", runtime::vbCancel, 0},
        {33, "3\nja\n1\n", runtime::vbOK, 2}, {33, "", runtime::vbCancel, 0},  // end of input
        {33, "9\n", runtime::vbCancel, 1},                                     // end of input after a wrong answer
        {16, "", runtime::vbOK, 0},           {16, "\x1b\n", runtime::vbOK, 0},
        {16, "2\n0\n\n", runtime::vbOK, 2},  // no Cancel to pick
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " " << testing::PrintToString(c.input));
        Terminal terminal(c.input);
        EXPECT_EQ(terminal.box(c.style), c.result);
        EXPECT_EQ(terminal.askedAgain(), c.askedAgain);
    }
}

TEST(TerminalWindow, ShowsCaptionLabelsInReadingOrderAndTheListWithItsHighlight) {
    Terminal terminal("3\n");
    ListWindow window;
    terminal.show(window);
    EXPECT_EQ(terminal.out.str(),
              "\n"
              "Wähle\n"
              "=====\n"
              "Bitte wählen:\n"
              "  eingerückt\n"
              "Ende\n"
              "\n"
              "Version 1\n"
              "\n"
              "  1) erste\n"
              "* 2) zweite\n"
              "  3) dritte\n"
              "  x) Fenster schließen\n"
              "(leere Zeile = Enter, esc = Escape)\n"
              "Auswahl: ");
    EXPECT_EQ(window.chosen, 2);
}

TEST(TerminalWindow, ListAnswersActOnTheWindowUntilItUnloads) {
    struct Case {
        std::string input;
        int chosen;
        std::vector<std::string> events;
        int askedAgain;
    };
    const Case cases[] = {
        {"1\n", 0, {"click List1", "doubleClick List1", "unloaded"}, 0},
        {"\n", 1, {"key 13", "unloaded"}, 0},
        {"esc\n", -1, {"key 27", "unloaded"}, 0},
        {"\x1b\n", -1, {"key 27", "unloaded"}, 0},
        {"x\n", -1, {"closed"}, 0},
        {"", -1, {"closed"}, 0},
        {"0\n4\nerste\n3\n", 2, {"click List1", "doubleClick List1", "unloaded"}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        Terminal terminal(c.input);
        ListWindow window;
        terminal.show(window);
        EXPECT_FALSE(window.loaded());
        EXPECT_EQ(window.chosen, c.chosen);
        EXPECT_EQ(window.events, c.events);
        EXPECT_EQ(terminal.askedAgain(), c.askedAgain);
    }
}

TEST(TerminalWindow, ShowsButtonsInTabOrderWithTheFocusAndRedrawsAfterTheCheckBox) {
    Terminal terminal("a\n2\n");
    QuestionWindow window;
    terminal.show(window);
    const std::string top =
        "\n"
        "Frage ?\n"
        "=======\n"
        "Die Datei x.pdf\n"
        "gibt es\n"
        "\n"
        "> 1) Umbenennen\n"
        "  2) Überschreiben\n"
        "  3) Abbrechen\n";
    const std::string bottom =
        "  x) Fenster schließen\n"
        "(leere Zeile = Enter)\n"
        "Auswahl: ";
    EXPECT_EQ(terminal.out.str(), top + "  a) [ ] Als Standard\n" + bottom +  //
                                      top + "  a) [x] Als Standard\n" + bottom);
    EXPECT_EQ(window.answer, "OKButton");
    EXPECT_EQ(window.ticked, 1);
}

TEST(TerminalWindow, QuestionAnswersPressButtonsToggleTheBoxAndFollowTheFocus) {
    struct Case {
        std::string input;
        bool focusOverwrite;
        std::string answer;
        int ticked;
        int askedAgain;
    };
    const Case cases[] = {
        {"1\n", false, "cmdRename", 0, 0},
        {"3\n", false, "CancelButton", 0, 0},
        {"\n", false, "cmdRename", 0, 0},  // Enter presses the focused button
        {"\n", true, "OKButton", 0, 0},
        {"a\na\n1\n", false, "cmdRename", 0, 0},
        {"A\nb\n", false, "closed", 1, 1},  // b fits nothing; then the input ends
        {"a\nX\n", false, "closed", 1, 0},
        {"", false, "closed", 0, 0},
        // Escape means nothing to a window without key preview and without a cancel button.
        {"esc\n4\n2\n", false, "OKButton", 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        Terminal terminal(c.input);
        QuestionWindow window(c.focusOverwrite);
        terminal.show(window);
        EXPECT_FALSE(window.loaded());
        EXPECT_EQ(window.answer, c.answer);
        EXPECT_EQ(window.ticked, c.ticked);
        EXPECT_EQ(terminal.askedAgain(), c.askedAgain);
        EXPECT_EQ(window.events.front(), "activate");
    }
}

TEST(TerminalBackend, OpenDocumentNamesTheFileAndTheClipboardKeepsThePicture) {
    Terminal terminal("");
    terminal.backend.processEvents();
    EXPECT_TRUE(terminal.backend.openDocument("/tmp/a b/Brief.pdf"));
    EXPECT_EQ(terminal.out.str(), "Öffnen: /tmp/a b/Brief.pdf\n");

    const runtime::Picture picture{runtime::PictureFormat::Icon, 32, 32, {1, 2, 3}};
    terminal.backend.setClipboardPicture(picture);
    EXPECT_EQ(terminal.backend.clipboardPicture(), picture);
    terminal.backend.clearClipboard();
    EXPECT_TRUE(terminal.backend.clipboardPicture().empty());
}

TEST(TerminalBackendDeathTest, WithoutAControllingTerminalOpeningFailsClearly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setsid();  // a new session has no controlling terminal
            try {
                runtime::TerminalBackend::openControllingTerminal();
            } catch (const std::runtime_error& error) {
                std::fputs(error.what(), stderr);
                std::_Exit(0);
            }
            std::_Exit(1);
        },
        testing::ExitedWithCode(0), "Kein Terminal: /dev/tty");
}

TEST(TerminalBackendDeathTest, TheControllingTerminalIsReadEvenWithRedirectedInput) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setsid();
            const int master = posix_openpt(O_RDWR | O_NOCTTY);
            if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) std::_Exit(10);
            // Opened by a session leader without one, the terminal becomes the controlling one.
            if (open(ptsname(master), O_RDWR) < 0) std::_Exit(11);
            const int null = open("/dev/null", O_RDONLY);
            if (null < 0 || dup2(null, 0) < 0) std::_Exit(12);
            // OK, where the end of the redirected input would give Cancel.
            if (write(master, "1\n", 2) != 2) std::_Exit(13);
            auto backend = runtime::TerminalBackend::openControllingTerminal();
            std::_Exit(backend->messageBox({.prompt = "?", .style = 33, .title = "T"}));
        },
        testing::ExitedWithCode(runtime::vbOK), "");
}

}  // namespace
