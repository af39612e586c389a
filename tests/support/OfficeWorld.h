#pragma once
// A user's desktop with Writer and Calc as hosts of the add-in, as a test's
// fixture: an X server of the test's own, home, world and add-in folder in a
// temporary folder, a profile into which scripts/install added the
// extension, the desktop's viewer stand-in, and the office with windows on
// them (OfficeSession.h), which set up the add-in folder at its start. The
// test program defines SOURCE_FOLDER, BUILD_FOLDER and EXAMPLES_FOLDER.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/LetterheadPages.h"
#include "tests/support/OfficeSession.h"
#include "tests/support/PdfText.h"
#include "tests/support/Processes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Xvfb.h"

class OfficeWorld : public ::testing::Test {
protected:
    using Model = com::sun::star::uno::Reference<com::sun::star::frame::XModel>;
    using OfficeSession = office_session::OfficeSession;

    // The titles of the add-in's choice and of its message boxes.
    static constexpr const char* kChoice = "Auswahl mit Doppelklick bestätigen";
    static constexpr const char* kAddInBox = "COM-Add-In: Erzeuge PDF mit Kalmora";

    TempFolder folder;
    std::optional<office_session::ViewerStandIn> viewer;
    std::optional<Xvfb> screen;
    std::optional<OfficeSession> session;

    void SetUp() override {
        ::setenv("KALMORA_WORLD", folder.path("Welt").c_str(), 1);
        ::setenv("HOME", folder.path().c_str(), 1);
        // The office sets up the add-in folder there at its start.
        ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
        viewer.emplace(folder.path());
        std::filesystem::create_directories(folder.path("Dokumente"));
        const std::string installed =
            pdf::run("bash " SOURCE_FOLDER "/scripts/install --build " BUILD_FOLDER " --profile " +
                     pdf::quoted(folder.path("Profil")) + " 2>&1; echo \"exit=$?\"");
        ASSERT_NE(installed.find("exit=0"), std::string::npos) << installed;
        screen.emplace();
        ::setenv("DISPLAY", screen->display().c_str(), 1);
        startOffice();
    }

    void TearDown() override {
        endOffice();
        ::unsetenv("KALMORA_PDFTK");
        screen.reset();
    }

    void startOffice() {
        session.emplace(folder.path("Profil"), "kalmora-gui-" + std::to_string(::getpid()),
                        office::OfficeOptions{.log = folder.path("office.log")});
    }
    void endOffice() { session.reset(); }

    // A copy of an example document in the test's document folder, opened in a window.
    Model openExample(const std::string& name) {
        std::filesystem::copy_file(std::filesystem::path(EXAMPLES_FOLDER) / name, folder.path("Dokumente/" + name));
        return session->openFile(folder.path("Dokumente/" + name));
    }

    // A window the add-in opens, and the keys the user answers it with.
    struct Answer {
        std::string title, keys;
    };
    // Presses the button `command` of the document's window (through the
    // office's dispatch), answers the windows that come, in order, and
    // waits for the press to end.
    void pressAndAnswer(const Model& document, const std::string& command, const std::vector<Answer>& answers) {
        std::thread click = session->dispatchClick(document, command);
        for (const Answer& answer : answers) session->answer(answer.title, answer.keys);
        session->finish(click);
    }

    // The viewer shows `result`: the example letter on the shipped letterheads.
    void expectOfferShown(const std::string& result) {
        EXPECT_EQ(viewer->opened(), result);
        expectOfferOnShippedLetterheads(pdf::pageTexts(result));
    }

    // The office anew, with a pdftk that waits at its first call until it
    // is released (Pdftk::Held), or not at all, or fails at once.
    enum class Pdftk { Held, Free, Failing };
    void holdPdftk(Pdftk pdftk) {
        endOffice();
        folder.write("pdftk", HeldPdftk);
        std::filesystem::permissions(folder.path("pdftk"), std::filesystem::perms::owner_all);
        ::setenv("KALMORA_PDFTK", pdftk == Pdftk::Failing ? "/bin/false" : folder.path("pdftk").c_str(), 1);
        ::setenv("KALMORA_HOLD_MARK", folder.path("pdftk-wartet").c_str(), 1);
        ::setenv("KALMORA_HOLD_GO", folder.path("pdftk-weiter").c_str(), 1);
        std::filesystem::remove(folder.path("pdftk-wartet"));
        std::filesystem::remove(folder.path("pdftk-weiter"));
        if (pdftk == Pdftk::Free) releasePdftk();
        startOffice();
    }
    bool pdftkHeld() const { return std::filesystem::exists(folder.path("pdftk-wartet")); }
    void releasePdftk() const { folder.write("pdftk-weiter", ""); }
};
