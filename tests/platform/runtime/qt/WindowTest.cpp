// Windows shown for real (offscreen): what the user sees, and how the user's
// keys, clicks and the close box reach the window's code.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <optional>

#include "ModalDriver.h"
#include "platform/runtime/qt/QtBackend.h"

namespace {

using runtime::Control;
using runtime::ControlKind;
using runtime::UnloadReason;

// A list window with key preview, as the letterhead choice is: Enter or a
// double-click chooses the highlighted entry, Escape closes without a choice.
// It swallows "b" and turns "x" into "c", to see what reaches the list.
class ListWindow final : public runtime::Form {
public:
    ListWindow() : Form("Wähle", 3000, 2000) {}
    int chosen = -1;
    std::vector<int> keys;  // the codes the window saw before the list
    std::optional<UnloadReason> unloadedBy;

    runtime::FormRole role() const override { return runtime::FormRole::Choice; }
    std::string outcome() const override { return std::to_string(chosen); }
    bool keyPreview() const override { return true; }

protected:
    std::vector<Control> design() const override {
        Control list{.name = "List1",
                     .kind = ControlKind::ListBox,
                     .left = 30,
                     .top = 30,
                     .width = 2900,
                     .height = 1500,
                     .tabIndex = 0};
        list.items = {"anna", "berta", "carl"};
        list.listIndex = 0;
        return {list};
    }
    void onDoubleClick(std::string_view) override { choose(); }
    void onKeyPress(int& key) override {
        keys.push_back(key);
        if (key == 'b') key = 0;
        if (key == 'x') key = 'c';
        if (key == 13) choose();
        if (key == 27) unload();
    }
    void onUnload(UnloadReason reason) override { unloadedBy = reason; }

private:
    void choose() {
        chosen = control("List1").listIndex;
        unload();
    }
};

// A question without key preview: three buttons that close it, a check box,
// a message. The buttons are designed out of tab order on purpose.
class QuestionWindow final : public runtime::Form {
public:
    explicit QuestionWindow(std::string focusOnActivate = {})
        : Form("Frage ?", 6030, 3195), focusOnActivate_(std::move(focusOnActivate)) {}
    std::vector<std::string> events;

    runtime::FormRole role() const override { return runtime::FormRole::Question; }
    std::string outcome() const override { return {}; }

protected:
    std::vector<Control> design() const override {
        return {button("Third", 4035, 2), button("First", 450, 0),
                Control{.name = "Check1",
                        .kind = ControlKind::CheckBox,
                        .left = 180,
                        .top = 2835,
                        .width = 5670,
                        .height = 240,
                        .tabIndex = 3,
                        .caption = "Als Standard  übernehmen"},
                button("Second", 1950, 1),
                Control{.name = "Label1",
                        .kind = ControlKind::Label,
                        .left = 135,
                        .top = 240,
                        .width = 5595,
                        .height = 990,
                        .tabIndex = 4,
                        .caption = "Die Datei\r\n\"<b>x</b>\" gibt es",
                        .toolTip = "Hinweis"}};
    }
    void onActivate() override {
        events.push_back("activate");
        if (!focusOnActivate_.empty()) setFocus(focusOnActivate_);
    }
    void onClick(std::string_view name) override {
        if (name == "Check1") {
            events.push_back("click Check1 value=" + std::to_string(control("Check1").value));
            return;
        }
        events.push_back("click " + std::string(name) + " value=" + std::to_string(control("Check1").value));
        unload();
    }
    void onUnload(UnloadReason reason) override {
        events.push_back(reason == UnloadReason::CloseBox ? "closebox" : "unload");
    }

private:
    static Control button(const char* name, int left, int tabIndex) {
        return {.name = name,
                .kind = ControlKind::CommandButton,
                .left = left,
                .top = std::string_view(name) == "Second" ? 1800 : 1815,
                .width = 1215,
                .height = 540,
                .tabIndex = tabIndex,
                .caption = name};
    }
    std::string focusOnActivate_;
};

template <class T>
T* child(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

std::string focusName() {
    const QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName().toStdString() : std::string("(none)");
}

// Mouse actions go through the window system, as the user's do: a press on a
// control gives it the focus, and a double-click arrives as press, release,
// press (made a double-click by Qt), release.
QPoint inWindow(QWidget& window, const QWidget& target, QPoint at) {
    return target.mapTo(&window, at);
}

void click(QWidget& window, const QWidget* target) {
    ASSERT_NE(target, nullptr);
    // A check box takes clicks on its box and caption only, not on the blank
    // rest of its width.
    const QPoint at =
        qobject_cast<const QCheckBox*>(target) ? QPoint(8, target->height() / 2) : target->rect().center();
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, inWindow(window, *target, at));
}

void typeKeys(QWidget& window, const std::vector<Qt::Key>& keys) {
    for (const Qt::Key key : keys) QTest::keyClick(window.windowHandle(), key);
}

class QtWindowTest : public ::testing::Test {
protected:
    runtime::QtBackend backend;

    void show(runtime::Form& form) {
        form.load();
        backend.showModal(form);
        EXPECT_FALSE(form.loaded());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
};

struct KeyCase {
    const char* what;
    std::vector<Qt::Key> keys;
    int chosen;
    std::vector<int> previewed;
};

TEST_F(QtWindowTest, KeysReachAKeyPreviewWindowFirstThenTheList) {
    const KeyCase cases[] = {
        {"Enter chooses the entry highlighted on load", {Qt::Key_Return}, 0, {13}},
        {"keypad Enter as well", {Qt::Key_Enter}, 0, {13}},
        {"an arrow moves the highlight unseen", {Qt::Key_Down, Qt::Key_Return}, 1, {13}},
        {"a letter is seen, then moves the highlight", {Qt::Key_C, Qt::Key_Return}, 2, {'c', 13}},
        {"a letter the window clears stops there", {Qt::Key_B, Qt::Key_Return}, 0, {'b', 13}},
        {"a letter the window changes arrives changed", {Qt::Key_X, Qt::Key_Return}, 2, {'x', 13}},
        {"Escape closes with nothing chosen", {Qt::Key_Down, Qt::Key_Escape}, -1, {27}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        ListWindow window;
        ModalDriver driver([&](QWidget& w) {
            EXPECT_EQ(focusName(), "List1");
            typeKeys(w, c.keys);
        });
        show(window);
        EXPECT_TRUE(driver.drove());
        EXPECT_EQ(window.chosen, c.chosen);
        EXPECT_EQ(window.keys, c.previewed);
        EXPECT_EQ(window.unloadedBy, UnloadReason::Code);
    }
}

TEST_F(QtWindowTest, DoubleClickOnAnEntryChoosesIt) {
    ListWindow window;
    ModalDriver driver([](QWidget& w) {
        auto* list = child<QListWidget>(w, "List1");
        ASSERT_NE(list, nullptr);
        const QPoint second = list->visualItemRect(list->item(1)).center();
        QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {}, inWindow(w, *list->viewport(), second));
    });
    show(window);
    EXPECT_EQ(window.chosen, 1);
    EXPECT_TRUE(window.keys.empty());
}

TEST_F(QtWindowTest, TheCloseBoxClosesTheWindowWithNothingChosen) {
    ListWindow window;
    ModalDriver driver([](QWidget& w) { w.windowHandle()->close(); });
    show(window);
    EXPECT_EQ(window.chosen, -1);
    EXPECT_EQ(window.unloadedBy, UnloadReason::CloseBox);
}

TEST_F(QtWindowTest, FocusAfterActivationIsWhereTheWindowPutIt) {
    const struct {
        const char* focusOnActivate;
        const char* focused;
    } cases[] = {{"", "First"}, {"Second", "Second"}, {"Check1", "Check1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focusOnActivate);
        QuestionWindow window(c.focusOnActivate);
        std::string focused;
        ModalDriver driver([&](QWidget& w) {
            focused = focusName();
            click(w, child<QPushButton>(w, "Third"));
        });
        show(window);
        EXPECT_EQ(focused, c.focused);
        EXPECT_EQ(window.events, (std::vector<std::string>{"activate", "click Third value=0", "unload"}));
    }
}

TEST_F(QtWindowTest, TabFollowsTheTabIndexNotTheDesignOrder) {
    QuestionWindow window;
    std::vector<std::string> visited;
    ModalDriver driver([&](QWidget& w) {
        for (int i = 0; i < 4; ++i) {
            visited.push_back(focusName());
            QTest::keyClick(w.windowHandle(), Qt::Key_Tab);
        }
        visited.push_back(focusName());
        w.windowHandle()->close();
    });
    show(window);
    EXPECT_EQ(visited, (std::vector<std::string>{"First", "Second", "Third", "Check1", "First"}));
}

TEST_F(QtWindowTest, WithoutKeyPreviewEnterPressesOnlyTheFocusedButton) {
    QuestionWindow window;
    bool openAfterKeys = false;
    ModalDriver driver([&](QWidget& w) {
        // Escape does nothing; Enter on the check box presses no button.
        typeKeys(w, {Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Enter});
        QCoreApplication::processEvents();
        openAfterKeys = w.isVisible();
        typeKeys(w, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return});
        QCoreApplication::processEvents();
        if (w.isVisible()) w.windowHandle()->close();
    });
    show(window);
    EXPECT_TRUE(openAfterKeys);
    EXPECT_EQ(window.events, (std::vector<std::string>{"activate", "click Second value=0", "unload"}));
}

TEST_F(QtWindowTest, TheCheckBoxReachesTheModelBeforeTheButton) {
    QuestionWindow window;
    ModalDriver driver([](QWidget& w) {
        click(w, child<QCheckBox>(w, "Check1"));
        QTest::keyClick(w.windowHandle(), Qt::Key_Space);  // the box has the focus now
        click(w, child<QCheckBox>(w, "Check1"));
        click(w, child<QPushButton>(w, "First"));
    });
    show(window);
    EXPECT_EQ(window.events, (std::vector<std::string>{"activate", "click Check1 value=1", "click Check1 value=0",
                                                       "click Check1 value=1", "click First value=1", "unload"}));
}

TEST_F(QtWindowTest, ShowsTheModelAtFifteenTwipsPerPixel) {
    QuestionWindow window;
    ModalDriver driver([](QWidget& w) {
        EXPECT_EQ(w.windowTitle().toStdString(), "Frage ?");
        EXPECT_EQ(w.size(), QSize(402, 213));
        EXPECT_EQ(w.minimumSize(), w.maximumSize());
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::Tool));
        EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
        EXPECT_EQ(child<QPushButton>(w, "First")->geometry(), QRect(30, 121, 81, 36));
        EXPECT_EQ(child<QPushButton>(w, "Second")->geometry(), QRect(130, 120, 81, 36));
        EXPECT_EQ(child<QCheckBox>(w, "Check1")->geometry(), QRect(12, 189, 378, 16));
        EXPECT_EQ(child<QCheckBox>(w, "Check1")->text().toStdString(), "Als Standard  übernehmen");
        auto* label = child<QLabel>(w, "Label1");
        EXPECT_EQ(label->text().toStdString(), "Die Datei\n\"<b>x</b>\" gibt es");
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        EXPECT_EQ(label->toolTip().toStdString(), "Hinweis");
        w.close();
    });
    show(window);
    EXPECT_TRUE(driver.drove());
}

}  // namespace
