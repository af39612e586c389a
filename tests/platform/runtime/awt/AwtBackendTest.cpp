// The toolkit backend in a real office with windows, under an X server of the
// test's own: the add-in's windows and message boxes, answered by keys as a
// user presses them, give back what the user chose, and show their texts whole.
#include <gtest/gtest.h>

#include <chrono>
#include <com/sun/star/awt/FontDescriptor.hpp>
#include <com/sun/star/awt/XDevice.hpp>
#include <com/sun/star/awt/XFont.hpp>
#include <com/sun/star/awt/XLayoutConstrains.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <csignal>
#include <future>
#include <memory>
#include <string>

#include "platform/office/render/OfficeConnection.h"
#include "platform/office/render/OfficeProcess.h"
#include "platform/runtime/Interaction.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/awt/AwtBackend.h"
#include "platform/runtime/awt/FormWindow.h"
#include "src/ui/frmDialog.h"
#include "src/ui/frmMenue.h"
#include "src/ui/pictures/Pictures.h"
#include "tests/support/Eventually.h"
#include "tests/support/PdfText.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowFocus.h"
#include "tests/support/Xvfb.h"

namespace {

// The output of xdotool on the display.
std::string xdotool(const Xvfb& x, const std::string& arguments) {
    return pdf::run("DISPLAY=" + x.display() + " xdotool " + arguments + " 2>/dev/null");
}

// The room that a control's text takes, by the toolkit's own measure in the
// font the control ended with: a label's lines wrapped at its width, a
// button's caption with its frame and a pixel of air a side, a list's widest
// entry with its margins and a vertical scroll bar, a check box's box and caption.
com::sun::star::awt::Size textRoom(const runtime::awt::FormWindow::Shown& shown) {
    namespace css = com::sun::star;
    const css::uno::Reference<css::awt::XLayoutConstrains> layout(shown.peer, css::uno::UNO_QUERY_THROW);
    if (shown.kind == runtime::ControlKind::Label) return layout->calcAdjustedSize({shown.visible.width, 0});
    if (shown.kind == runtime::ControlKind::CommandButton)
        return {css::uno::Reference<css::awt::XDevice>(shown.peer, css::uno::UNO_QUERY_THROW)
                        ->getFont({})
                        ->getStringWidth(uno::text(shown.caption.value_or(""))) +
                    2 * 3,
                0};
    return {layout->getMinimumSize().Width, 0};
}

class AwtBackendTest : public ::testing::Test {
protected:
    AwtBackendTest()
        : office_(profile_.path("profile"), "kalmora-awt-test-" + std::to_string(::getpid()),
                  {office::OfficeWindows::Shown}),
          context_(office::connectToOffice(office_, std::chrono::minutes(2))) {
        runtime::setBackend(std::make_shared<runtime::AwtBackend>(context_, nullptr));
    }
    ~AwtBackendTest() override {
        runtime::setBackend(nullptr);
        try {
            com::sun::star::frame::Desktop::create(context_)->terminate();
        } catch (const com::sun::star::uno::Exception&) {
            // The office often ends before it answers.
        }
    }

    // Ends the office at once: a display that waits for an answer that never
    // comes then ends with an error.
    void killOffice() {
        if (office_.pid() > 0) ::kill(office_.pid(), SIGKILL);
    }

    // Waits for the window of that title (a pattern) to show as the user
    // would, gives it the keyboard focus as a window manager does, and
    // presses the keys. A window that does not show, or does not go away
    // after the keys, within a minute fails the test; the office is ended so
    // that the display waiting for it ends too.
    std::future<void> answer(const std::string& pattern, const std::string& keys) {
        return std::async(std::launch::async, [this, pattern, keys] {
            const std::string search = "search --onlyvisible --name '" + pattern + "'";
            const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
            const auto waitFor = [&](bool shown) {
                return eventually(
                    [&] { return xdotool(x_, search).empty() != shown; },
                    std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()),
                    std::chrono::milliseconds(50));
            };
            if (!waitFor(true)) {
                killOffice();
                FAIL() << "no window " << pattern;
            }
            // Keys typed, not sent to a window: a window takes them from the
            // keyboard only.
            xdotool(x_, search + " windowfocus --sync");
            // The window's own title: the pattern without its anchors and escapes.
            std::string title = pattern.substr(1, pattern.size() - 2);
            std::erase(title, '\\');
            eventually([&] { return readyForKeys(context_, title); }, std::chrono::minutes(1),
                       std::chrono::milliseconds(50));
            xdotool(x_, "key --delay 100 " + keys);
            if (!waitFor(false)) {
                killOffice();
                FAIL() << "the window " << pattern << " stayed after " << keys;
            }
        });
    }

    // The office shows its windows on the test's own X server.
    Xvfb x_;
    ScopedVariable display_{"DISPLAY", x_.display()};
    TempFolder profile_;
    office::OfficeProcess office_;
    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
};

TEST_F(AwtBackendTest, TheAddInsWindowsGiveWhatTheKeysChose) {
    frmMenue& menu = frmMenue::instance();
    menu.load();
    auto answered = answer("^Auswahl mit Doppelklick bestätigen$", "Down Return");
    runtime::ShowModal(menu);
    answered.get();
    EXPECT_EQ(menu.AuswahlIndex, static_cast<Layout>(1));
    EXPECT_FALSE(menu.loaded());

    // Escape closes nothing here; Enter presses the button that Tab reached.
    frmDialog question;
    question.load();
    answered = answer("^Frage \\?$", "Escape Tab Return");
    runtime::ShowModal(question);
    answered.get();
    EXPECT_EQ(question.outcome(), "overwrite");
}

// The office's fonts stand in for the fonts designed and are often wider.
TEST_F(AwtBackendTest, EveryTextOfTheAddInsWindowsFitsItsControl) {
    frmMenue& menu = frmMenue::instance();
    menu.load();
    frmDialog question;
    question.load();
    question.control("Label1").caption = "Die Ausgabedatei /home/jürgen/Angebot_Dvořák_KBS.pdf existiert bereits!";
    const runtime::awt::WindowMaker maker(context_);
    for (const runtime::Form* form : std::initializer_list<const runtime::Form*>{&menu, &question}) {
        const runtime::awt::FormWindow window(*form, maker, nullptr);
        for (const runtime::awt::FormWindow::Shown& shown : window.shown()) {
            if (!shown.caption && shown.items.empty()) continue;  // a picture
            SCOPED_TRACE(form->caption() + " " + shown.name);
            const com::sun::star::awt::Size room = textRoom(shown);
            EXPECT_LE(room.Width, shown.visible.width);
            EXPECT_LE(room.Height, shown.visible.height);
        }
    }
    frmMenue::releaseInstance();
}

TEST_F(AwtBackendTest, AMessageBoxGivesTheButtonPressed) {
    auto answered = answer("^Titel$", "Escape");
    EXPECT_EQ(runtime::MsgBox("Zeile eins\r\nZeile zwei", runtime::vbOKCancel + runtime::vbQuestion, "Titel"),
              runtime::vbCancel);
    answered.get();
    answered = answer("^Titel$", "Escape");
    EXPECT_EQ(runtime::MsgBox("Nur OK", runtime::vbExclamation, "Titel"), runtime::vbOK);
    answered.get();
    answered = answer("^Titel$", "Return");
    EXPECT_EQ(runtime::MsgBox("OK zuerst", runtime::vbOKCancel, "Titel"), runtime::vbOK);
    answered.get();
}

TEST_F(AwtBackendTest, TheClipboardGivesBackThePictureSetLast) {
    runtime::Backend& backend = runtime::backend();
    const runtime::Picture icon = Pictures::icon();
    backend.setClipboardPicture(icon);
    EXPECT_EQ(backend.clipboardPicture(), icon);
    backend.clearClipboard();
    EXPECT_TRUE(backend.clipboardPicture().empty());
}

}  // namespace
