// The scripted backend: answers taken in order, and the record of what was shown.
#include "platform/runtime/script/ScriptBackend.h"

#include <gtest/gtest.h>

#include "platform/runtime/Interaction.h"
#include "platform/runtime/Runtime.h"

namespace {

using runtime::Control;
using runtime::ControlKind;

// A list window that closes on a double-click or Escape, as a choice window does.
class ListWindow final : public runtime::Form {
public:
    ListWindow() : Form("Wähle", 3000, 2000) {}
    int chosen = -1;
    runtime::FormRole role() const override { return runtime::FormRole::Choice; }
    std::string outcome() const override { return std::to_string(chosen); }

protected:
    std::vector<Control> design() const override {
        Control list;
        list.name = "List1";
        list.kind = ControlKind::ListBox;
        list.tabIndex = 0;
        list.items = {"a", "b", "c"};
        list.listIndex = 0;
        return {list};
    }
    void onLoad() override { chosen = -1; }
    void onDoubleClick(std::string_view) override {
        chosen = control("List1").listIndex;
        unload();
    }
    void onKeyPress(int& key) override {
        if (key == 27) unload();
    }
};

// A question with two buttons and a check box; the outcome names the button.
class QuestionWindow final : public runtime::Form {
public:
    QuestionWindow() : Form("Frage", 3000, 2000) {}
    std::string answer = "close";
    runtime::FormRole role() const override { return runtime::FormRole::Question; }
    std::string outcome() const override { return answer + (control("Check1").value ? " remember" : ""); }

protected:
    std::vector<Control> design() const override {
        Control yes{.name = "Yes", .kind = ControlKind::CommandButton, .tabIndex = 1};
        yes.answer = "overwrite";
        Control no{.name = "No", .kind = ControlKind::CommandButton, .tabIndex = 0};
        no.answer = "cancel";
        Control box{.name = "Check1", .kind = ControlKind::CheckBox, .tabIndex = 2};
        box.answer = "remember";
        Control text{.name = "Label1", .kind = ControlKind::Label, .caption = "Die Datei\r\n\"x\" gibt es"};
        return {yes, no, box, text};
    }
    void onClick(std::string_view name) override {
        if (name == "Yes") answer = "overwrite";
        if (name == "No") answer = "cancel";
        if (name != "Check1") unload();
    }
};

class ScriptBackendTest : public ::testing::Test {
protected:
    std::shared_ptr<runtime::ScriptBackend> script = std::make_shared<runtime::ScriptBackend>();
    void SetUp() override {
        runtime::setBackend(script);
        runtime::app().title = "Projekt";
    }
    void TearDown() override { runtime::setBackend(nullptr); }
};

TEST_F(ScriptBackendTest, MessageBoxesTakeTheirAnswersAndAreRecordedWithEscapedTexts) {
    script->queue("# comments and blank lines are skipped");
    script->queue("");
    script->queue("msgbox cancel");
    script->queue("msgbox ok");
    EXPECT_EQ(runtime::MsgBox("Frage?\r\nWeiter\t\"ja\" \\ ü", 33, std::string("Titel")), 2);
    EXPECT_EQ(runtime::MsgBox("Ohne Titel\n"), 1);
    EXPECT_EQ(script->record(),
              (std::vector<std::string>{R"(msgbox style=33 title="Titel" text="Frage?\r\nWeiter\t\"ja\" \\ ü" -> 2)",
                                        R"(msgbox style=0 title="Projekt" text="Ohne Titel\n" -> 1)"}));
    EXPECT_FALSE(script->metUnexpected());
}

TEST_F(ScriptBackendTest, UnfittingOrMissingAnswersAreRecordedAsUnexpectedAndClosed) {
    script->queue("msgbox cancel");  // an OK-only box has no Cancel
    EXPECT_EQ(runtime::MsgBox("a", 16, std::string("T")), 1);
    EXPECT_EQ(runtime::MsgBox("b", 33, std::string("T")), 2);  // after the last answer
    ListWindow list;
    runtime::ShowModal(list);
    EXPECT_EQ(script->record(), (std::vector<std::string>{R"(unexpected msgbox style=16 title="T" text="a" -> 1)",
                                                          R"(unexpected msgbox style=33 title="T" text="b" -> 2)",
                                                          R"(unexpected choice caption="Wähle" -> -1)"}));
    EXPECT_TRUE(script->metUnexpected());
}

TEST_F(ScriptBackendTest, ChoiceAnswersActOnTheWindow) {
    struct Case {
        std::string answer;
        std::string recorded;
        bool unexpected;
    };
    const Case cases[] = {
        {"choice 2", R"(choice caption="Wähle" -> 2)", false},
        {"choice escape", R"(choice caption="Wähle" -> -1)", false},
        {"choice close", R"(choice caption="Wähle" -> -1)", false},
        {"choice 3", R"(unexpected choice caption="Wähle" -> -1)", true},
        {"dialog rename", R"(unexpected choice caption="Wähle" -> -1)", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{c.answer});
        runtime::setBackend(script);
        ListWindow list;
        runtime::ShowModal(list);
        EXPECT_FALSE(list.loaded());
        ASSERT_EQ(script->record().size(), 1u);
        EXPECT_EQ(script->record()[0], c.recorded);
        EXPECT_EQ(script->metUnexpected(), c.unexpected);
    }
}

TEST_F(ScriptBackendTest, AnAnswerThatLeavesTheWindowOpenIsFollowedByTheNextOne) {
    // Enter does nothing in this window, so the next answer applies to it too.
    script->queue("choice enter");
    script->queue("choice 1");
    ListWindow list;
    runtime::ShowModal(list);
    EXPECT_EQ(script->record(), (std::vector<std::string>{R"(choice caption="Wähle" -> 1)"}));
}

TEST_F(ScriptBackendTest, DialogAnswersPressButtonsTickTheBoxAndRecordTheFocus) {
    struct Case {
        std::string answer;
        std::string recorded;
    };
    const Case cases[] = {
        {"dialog overwrite", R"(dialog text="Die Datei\r\n\"x\" gibt es" focus=No -> overwrite)"},
        {"dialog cancel remember", R"(dialog text="Die Datei\r\n\"x\" gibt es" focus=No -> cancel remember)"},
        {"dialog close", R"(dialog text="Die Datei\r\n\"x\" gibt es" focus=No -> close)"},
        {"dialog rename", R"(unexpected dialog text="Die Datei\r\n\"x\" gibt es" focus=No -> close)"},
        {"dialog overwrite forever", R"(unexpected dialog text="Die Datei\r\n\"x\" gibt es" focus=No -> close)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{c.answer});
        runtime::setBackend(script);
        QuestionWindow question;
        runtime::ShowModal(question);
        ASSERT_EQ(script->record().size(), 1u);
        EXPECT_EQ(script->record()[0], c.recorded);
    }
}

TEST_F(ScriptBackendTest, OpenRequestsAndEventsAreCounted) {
    runtime::DoEvents();
    runtime::DoEvents();
    EXPECT_EQ(script->eventsProcessed(), 2u);
    EXPECT_TRUE(script->openDocument("/tmp/a b.pdf"));
    EXPECT_EQ(script->record(), (std::vector<std::string>{R"(open "/tmp/a b.pdf")"}));
}

TEST(RuntimeText, LenCountsCharactersNotBytes) {
    EXPECT_EQ(runtime::Len(""), 0u);
    EXPECT_EQ(runtime::Len("\\"), 1u);
    EXPECT_EQ(runtime::Len("ü"), 1u);
    EXPECT_EQ(runtime::Len("Müller"), 6u);
}

}  // namespace
