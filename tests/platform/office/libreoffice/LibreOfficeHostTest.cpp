// Writer and Calc as hosts of the add-in, as a user has them: LibreOffice with
// windows on an X server of the test's own, a profile of its own into which
// scripts/install added the extension, which set up the add-in folder and its
// settings at the office's start (tests/support/OfficeWorld.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "tests/support/OfficeWorld.h"
#include "tests/support/ScopedVariable.h"

namespace {

namespace css = com::sun::star;
namespace fs = std::filesystem;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;
using office_session::eventually;
using office_session::officeCalls;
using office_session::ToolbarItem;
using pdf::pageTexts;

class LibreOfficeHost : public OfficeWorld {
protected:
    // What the user does while a run goes on.
    enum class Action { Quit, CloseWindow, Disable };
    void duringARun(Action action);

    // Where a screenshot for the README goes (scripts/make-screenshots takes them).
    static fs::path screenshot(const std::string& name) { return fs::path(RENDER_FOLDER) / (name + ".png"); }
};

TEST_F(LibreOfficeHost, AWriterLetterGetsItsLetterheadsFromAMouseClickOnTheButton) {
    officeCalls([&] {
        const auto letter = openExample("Angebot.docx");
        const ToolbarItem item = OfficeSession::button(letter);
        EXPECT_EQ(item.label, "pdf-Kalmora");
        EXPECT_TRUE(session->hasFace("com.sun.star.text.TextDocument", item.command));
        OfficeSession::clickWithMouse(letter, "pdf-Kalmora");
        session->answer(kChoice, "Return", screenshot("LibreOffice-Auswahl"));
        expectOfferShown(folder.path("Dokumente/Angebot_KBS.pdf"));
        office_session::saveScreen(screenshot("LibreOffice-Writer"));
    });
}

TEST_F(LibreOfficeHost, ACalcWorkbookPrintsTheSheetItsWindowShows) {
    officeCalls([&] {
        const auto workbook = openExample("Preisliste.xlsx");
        pressAndAnswer(workbook, OfficeSession::button(workbook).command, {{kChoice, "Down Down Return"}});
        EXPECT_EQ(viewer->opened(), folder.path("Dokumente/Preisliste_Preise_KBS.pdf"));
        const std::string& following = shippedFollowingPages;
        expectLetterheadPages(pageTexts(folder.path("Dokumente/Preisliste_Preise_KBS.pdf")),
                              {"Seite 1: Vorlagen", "Seite 2: Schulung", "Seite 3: Betreuung"},
                              {following, following, following}, shippedFirstPage, following);
    });
}

TEST_F(LibreOfficeHost, AnEditedLetterIsSavedFirstAndPrintedWithTheEdit) {
    officeCalls([&] {
        const auto letter = openExample("Angebot.docx");
        const auto text = Reference<css::text::XTextDocument>(letter, UNO_QUERY_THROW)->getText();
        text->insertString(text->getEnd(), "Nachtrag vom Nachmittag", false);
        // "Zur Weiterarbeit muss ... gespeichert werden!"
        pressAndAnswer(letter, OfficeSession::button(letter).command,
                       {{kAddInBox, "Return"}, {kChoice, "Down Return"}});
        EXPECT_FALSE(Reference<css::util::XModifiable>(letter, UNO_QUERY_THROW)->isModified());
        const std::vector<std::string> printed = pageTexts(viewer->opened());
        ASSERT_EQ(printed.size(), 3u);
        EXPECT_NE(printed[2].find("Nachtrag vom Nachmittag"), std::string::npos);
        // Stored in its own format.
        EXPECT_EQ(pdf::run("unzip -p " + pdf::quoted(folder.path("Dokumente/Angebot.docx")) +
                           " word/document.xml | grep -c 'Nachtrag vom Nachmittag'"),
                  "1\n");
    });
}

TEST_F(LibreOfficeHost, ANeverStoredLetterGetsTheAddInsMessage) {
    officeCalls([&] {
        const auto letter = session->open("private:factory/swriter");
        // "Das Dokument hat keine Inhalt"
        pressAndAnswer(letter, OfficeSession::button(letter).command, {{kAddInBox, "Return"}});
        EXPECT_EQ(folder.names("Dokumente"), std::set<std::string>{});
    });
}

TEST_F(LibreOfficeHost, ANewDocumentFromATemplateIsStoredThroughSaveAsThenPrinted) {
    struct Case {
        std::string example, filter, made, stored, result;
        bool cancelFirst;  // Save as cancelled at the first press
    };
    const Case cases[] = {
        {"Angebot.docx", "writer8_template", "Brief.ott", "Brief.odt", "Brief_KBS.pdf", true},
        {"Angebot.docx", "MS Word 2007 XML Template", "Brief.dotx", "Brief2.odt", "Brief2_KBS.pdf", false},
        {"Preisliste.xlsx", "calc8_template", "Liste.ots", "Liste.ods", "Liste_Übersicht_KBS.pdf", false},
    };
    officeCalls([&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.made);
            session->storeCopy(fs::path(EXAMPLES_FOLDER) / c.example, folder.path(c.made), c.filter);
            const auto document = session->openFile(folder.path(c.made));
            const std::string command = OfficeSession::button(document).command;
            if (c.cancelFirst) {
                std::thread click = session->dispatchClick(document, command);
                session->answer(kAddInBox, "Return");  // "Zur Weiterarbeit muss das Dokument gespeichert werden!"
                session->answer("Save as", "Escape");
                session->answer(kAddInBox, "Escape");  // asked again, and refused
                EXPECT_TRUE(eventually([&] {
                    const std::vector<std::string> texts = session->textsOf(kAddInBox);
                    return std::find(texts.begin(), texts.end(), "Verarbeitung abgebrochen") != texts.end();
                }));
                session->answer(kAddInBox, "Return");
                session->finish(click);
                EXPECT_EQ(folder.names("Dokumente"), std::set<std::string>{});
            }
            std::thread click = session->dispatchClick(document, command);
            session->answer(kAddInBox, "Return");
            session->type("Save as", folder.path("Dokumente/" + c.stored));
            session->answer("Save as", "Return");
            session->answer(kChoice, "Return");
            session->finish(click);
            EXPECT_EQ(viewer->opened(), folder.path("Dokumente/" + c.result));
            EXPECT_TRUE(fs::exists(folder.path("Dokumente/" + c.stored)));
        }
    });
}

// A name of 240 bytes: the printed first part would fit, but not the hidden
// name under which the PDF printer writes it first.
TEST_F(LibreOfficeHost, ALetterWhoseNameTheRunsFilesCannotHoldIsRefusedBeforeAnythingIsPrinted) {
    officeCalls([&] {
        const std::string stem(235, 'L');
        const std::string name = stem + ".docx";
        fs::copy_file(fs::path(EXAMPLES_FOLDER) / "Angebot.docx", folder.path("Dokumente/" + name));
        const auto letter = session->openFile(folder.path("Dokumente/" + name));
        std::thread click = session->dispatchClick(letter, OfficeSession::button(letter).command);
        session->answer(kChoice, "Return");
        const std::vector<std::string> texts = session->textsOf(kAddInBox);
        session->answer(kAddInBox, "Return");
        session->finish(click);
        // The box shows each line break as one.
        const std::string message =
            "Abbruch\n\n Kein PDF-Ausdruck!\nDer Dateiname ist zu lang: " + folder.path("Dokumente") + "\\" + stem +
            "_KBS_$1.pdf\nDer PDF-Drucker \"PDFCreator\" schreibt die Datei zuerst unter "
            "einem 10 Bytes längeren Namen, und ein Dateiname hat höchstens 255 Bytes; das "
            "Dokument \"" +
            name + "\" braucht einen kürzeren Namen.";
        EXPECT_NE(std::find(texts.begin(), texts.end(), message), texts.end()) << ::testing::PrintToString(texts);
        EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{name, ".~lock." + name + "#"}));
    });
}

// A conversion on the command line in the user's profile, as a script runs
// it: as fast as without the extension, and it neither sets up the user's
// part, nor starts a host, nor the PDF printer.
TEST_F(LibreOfficeHost, AHeadlessConversionIsLeftAsItIs) {
    // One office per profile: a second one would hand its job to the first.
    endOffice();
    fs::copy_file(fs::path(EXAMPLES_FOLDER) / "Angebot.docx", folder.path("Dokumente/Angebot.docx"));
    // The files of the user's part, each with its time and size.
    const auto state = [&](const std::vector<std::string>& folders) {
        std::string found;
        for (const std::string& name : folders)
            found += pdf::run("find " + pdf::quoted(folder.path(name)) + " -printf '%p %T@ %s\\n' | sort");
        return found;
    };
    struct Case {
        const char* user;
        const char* data;  // XDG_DATA_HOME, below the test's folder
        std::optional<std::string> world;
        std::vector<std::string> part;  // what the office sets up for the user
    };
    const Case cases[] = {
        {"with the add-in folder and world the office set up", "", folder.path("Welt"), {"pdf-Kalmora", "Welt"}},
        {"for whom the office set up nothing", "Neu", std::nullopt, {"Neu"}}};
    const auto withoutExtension = [&] {
        return office_session::convertHeadless(folder.path("Ohne"), folder.path("Dokumente/Angebot.docx"),
                                               folder.path("Ohne-PDF"));
    };
    withoutExtension();  // the profile is made at the first start
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        fs::create_directories(folder.path(c.data));
        const ScopedVariable data("XDG_DATA_HOME", folder.path(c.data));
        const ScopedVariable world("KALMORA_WORLD", c.world);
        const std::string before = state(c.part);
        fs::remove_all(folder.path("PDF"));
        const auto converted = office_session::convertHeadless(
            folder.path("Profil"), folder.path("Dokumente/Angebot.docx"), folder.path("PDF"));
        const auto plain = withoutExtension();
        EXPECT_EQ(pdf::pageCount(folder.path("PDF/Angebot.pdf")), 3) << converted.said;
        EXPECT_EQ(state(c.part), before);
        // Generous: a busy machine takes its time with either.
        EXPECT_LT(converted.took, 2 * plain.took + std::chrono::seconds(5));
    }
}

TEST_F(LibreOfficeHost, TheRememberedAnswerToAnExistingResultIsNotAskedAgain) {
    officeCalls([&] {
        const auto letter = openExample("Angebot.docx");
        const std::string command = OfficeSession::button(letter).command;
        for (int run = 1; run <= 3; ++run) {
            SCOPED_TRACE("run " + std::to_string(run));
            // The second run is asked and overwrites, ticking "remember"; the
            // third is not asked.
            std::vector<Answer> answers = {{kChoice, "Return"}};
            if (run == 2) answers.push_back({"Frage ?", "Tab Tab Tab space shift+Tab shift+Tab Return"});
            pressAndAnswer(letter, command, answers);
            EXPECT_EQ(viewer->opened(), folder.path("Dokumente/Angebot_KBS.pdf"));
        }
        // Beside the result only the office's own lock of the open letter.
        EXPECT_EQ(folder.names("Dokumente"),
                  (std::set<std::string>{".~lock.Angebot.docx#", "Angebot.docx", "Angebot_KBS.pdf"}));
        EXPECT_NE(folder.read("pdf-Kalmora/pdf-Kalmora.ini").find("WordOverwrite=-1"), std::string::npos);
    });
}

TEST_F(LibreOfficeHost, TheNotebookBarsHaveTheButtonInTheirMenusAndTheStandardToolbarGetsItBack) {
    const std::string writer = "com.sun.star.text.TextDocument";
    officeCalls([&] {
        const auto note = session->open("private:factory/swriter");
        const ToolbarItem button = OfficeSession::button(note);
        session->userInterface(note, "notebookbar.ui");
        // One entry for all the module's windows, also for those opened
        // later, with the add-in's caption and face.
        const auto letter = openExample("Angebot.docx");
        EXPECT_EQ(session->tabbedMenu(writer), std::vector<ToolbarItem>{button});
        EXPECT_TRUE(session->hasFace(writer, button.command));
        pressAndAnswer(letter, button.command, {{kChoice, "Return"}});
        expectOfferShown(folder.path("Dokumente/Angebot_KBS.pdf"));
        // "Groupedbar Compact" has no ≡ menu: the extension's entry behind its
        // Extension button, and in Tools ▸ Add-Ons of the interfaces with a
        // menu bar, names the button by its caption.
        session->userInterface(letter, "notebookbar_groupedbar_compact.ui");
        const ToolbarItem entry{button.label, "vnd.kalmora:Standard/" + button.label};
        EXPECT_EQ(session->addOnEntries("OfficeNotebookBar"), std::vector<ToolbarItem>{entry});
        EXPECT_EQ(session->addOnEntries("AddonMenu"), std::vector<ToolbarItem>{entry});
        fs::remove(folder.path("Dokumente/Angebot_KBS.pdf"));
        pressAndAnswer(letter, entry.command, {{kChoice, "Return"}});
        expectOfferShown(folder.path("Dokumente/Angebot_KBS.pdf"));
        // Back in "Standard Toolbar" every window has the button once.
        session->userInterface(letter, "Default");
        for (const auto& window : {note, letter}) {
            std::vector<ToolbarItem> items;
            EXPECT_TRUE(eventually([&] { return !(items = OfficeSession::items(window)).empty(); }));
            EXPECT_EQ(items, std::vector<ToolbarItem>{button});
        }
        endOffice();
        EXPECT_EQ(pdf::run("grep -rl --exclude-dir=uno_packages vnd.kalmora " + pdf::quoted(folder.path("Profil"))),
                  "");
    });
}

TEST_F(LibreOfficeHost, TheOptionsPageStoresWhatTheNextPressUsesRefusesWhatItCannotAndForgetsTheAnswer) {
    officeCalls([&] {
        // Word remembers to overwrite, as after a ticked box.
        const std::string settings = "pdf-Kalmora/pdf-Kalmora.ini";
        const std::string before = folder.read(settings) + "WordGelesen=1\r\nWordOverwrite=-1\r\nWordRename=0\r\n";
        folder.write(settings, before);
        folder.write("kaputt.pdf", "kein PDF");
        fs::create_directories(folder.path("Briefköpfe"));
        fs::copy_file(folder.path("pdf-Kalmora/Kopfbogen-Seite1.pdf"), folder.path("Briefköpfe/erste.pdf"));
        // The administrator's settings beside the add-in's library name Excel's folder.
        const std::string library = pdf::run("find " + pdf::quoted(folder.path("Profil")) + " -name PDF_Kalmora.so");
        ASSERT_FALSE(library.empty());
        const std::string administrators =
            (fs::path(library.substr(0, library.size() - 1)).parent_path() / "pdf-Kalmora.ini").string();
        const std::string company = "[Global]\r\nPDFAusgabePfadExcel=/srv/Verwaltung\r\n";
        std::ofstream(administrators, std::ios::binary) << company;
        const auto letter = openExample("Angebot.docx");
        OfficeSession::button(letter);

        // Tools ▸ Options, opened at the add-in's page.
        const std::string page = pdf::run("find " + pdf::quoted(folder.path("Profil")) + " -name Einstellungen.xdl");
        ASSERT_FALSE(page.empty());
        OfficeSession::Running options(
            *session,
            session->dispatch(letter, ".uno:OptionsTreeDialog",
                              uno::properties({uno::property(
                                  "OptionsPageURL", css::uno::Any(uno::fileUrl(page.substr(0, page.size() - 1))))})));
        const std::string title = "Options - pdf-Kalmora - Briefpapier und Ablage";
        // How often the page shows `text`, once it does as often as `times`.
        const auto shows = [&](const std::string& text, long times = 1) {
            return eventually([&] {
                const std::vector<std::string> texts = session->textsOf(title);
                return std::count(texts.begin(), texts.end(), text) == times;
            });
        };
        EXPECT_TRUE(shows("Ihre Einstellungen stehen in " + folder.path(settings) + ".\nVom Administrator (" +
                          administrators + "), solange Sie nichts anderes eintragen: PDF-Ordner Excel"));
        EXPECT_EQ(session->textIn(title, "PDF-Ordner Excel:"), "/srv/Verwaltung");
        EXPECT_TRUE(shows("Überschreiben"));
        office_session::saveScreen(screenshot("LibreOffice-Optionen"));
        const std::string refused = "Kopfbogen Folgeseiten: Der Kopfbogen " + folder.path("kaputt.pdf") +
                                    " lässt sich nicht verwenden:\nDie Datei ist keine PDF-Datei.";
        session->enter(title, "Kopfbogen Folgeseiten:", folder.path("kaputt.pdf"));
        EXPECT_TRUE(shows(refused)) << ::testing::PrintToString(session->textsOf(title));
        session->enter(title, "Kopfbogen 1. Seite:", "~/Briefköpfe/erste.pdf");
        session->enter(title, "PDF-Ordner Word:", "~/PDF-Ablage für Müller");
        session->enter(title, "Firmenkürzel:", "Mü");
        OfficeSession::Running(*session, session->press(title, "Vergessen")).finish();
        EXPECT_TRUE(shows("keine, es wird gefragt", 2));
        OfficeSession::Running ok(*session, session->press(title, "OK"));
        // The refused letterhead is named once more, and not stored.
        const std::vector<std::string> told = session->textsOf("pdf-Kalmora");
        EXPECT_NE(std::find(told.begin(), told.end(), "Nicht gespeichert:\n" + refused), told.end())
            << ::testing::PrintToString(told);
        session->answer("pdf-Kalmora", "Return");
        ok.finish();
        options.finish();

        // Windows-1252, every other byte as it was.
        std::string after = before;
        const auto replace = [&](const std::string& from, const std::string& to) {
            const auto at = after.find(from);
            ASSERT_NE(at, std::string::npos) << from;
            after.replace(at, from.size(), to);
        };
        replace("ErsteSeite=" + folder.path("pdf-Kalmora/Kopfbogen-Seite1.pdf"),
                "ErsteSeite=~/Briefk\xF6pfe/erste.pdf");
        replace("Firmenk\xFCrzel=KBS", "Firmenk\xFCrzel=M\xFC");
        replace("WordGelesen=1", "WordGelesen=0");
        after += "PDFAusgabePfadWord=~/PDF-Ablage f\xFCr M\xFCller\r\n";
        EXPECT_EQ(folder.read(settings), after);
        std::ifstream kept(administrators, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), company);

        // The next press takes them without a restart; the one after it asks
        // again about the result it finds.
        const std::string result = folder.path("PDF-Ablage für Müller/Angebot_Mü.pdf");
        for (int press = 1; press <= 2; ++press) {
            SCOPED_TRACE("press " + std::to_string(press));
            std::vector<Answer> answers = {{kChoice, "Return"}};
            if (press == 2) answers.push_back({"Frage ?", "Return"});  // "Überschreiben", the last answer
            pressAndAnswer(letter, OfficeSession::button(letter).command, answers);
            expectOfferShown(result);
        }

        // Saved by hand in UTF-8, as a Linux editor does: the press reads it so.
        folder.write(settings,
                     "\xEF\xBB\xBF[Global]\r\nErsteSeite=~/Briefköpfe/erste.pdf\r\nZweiteSeite=" +
                         folder.path("pdf-Kalmora/Kopfbogen-Folgeseiten.pdf") +
                         "\r\nFirmenkürzel=Kü\r\nWordGelesen=1\r\nPDFAusgabePfadWord=~/PDF-Ablage für Müller\r\n");
        pressAndAnswer(letter, OfficeSession::button(letter).command, {{kChoice, "Return"}});
        EXPECT_EQ(viewer->opened(), folder.path("PDF-Ablage für Müller/Angebot_Kü.pdf"));
    });
}

TEST_F(LibreOfficeHost, AnImpressWindowHasNoButtonAndClosingTheOfficeLeavesNothing) {
    officeCalls([&] {
        const auto letter = openExample("Angebot.docx");
        OfficeSession::button(letter);
        const auto slides = session->open("private:factory/simpress");
        EXPECT_EQ(OfficeSession::items(slides).size(), 0u);
        session->desktop()->terminate();
        EXPECT_TRUE(eventually([&] { return !session->process().running(); }));
        EXPECT_EQ(processesNaming(folder.path()), std::vector<std::string>{});
        // The add-in deleted its button at the end; the office's toolbar
        // settings never knew it.
        EXPECT_EQ(pdf::run("grep -rl --exclude-dir=uno_packages vnd.kalmora " + pdf::quoted(folder.path("Profil"))),
                  "");
        EXPECT_EQ(folder.read("Welt/office/Word/CommandBars.txt").find("pdf-Kalmora"), std::string::npos);
        EXPECT_EQ(folder.names("Dokumente"), std::set<std::string>{"Angebot.docx"});
    });
}

TEST_F(LibreOfficeHost, WhatKeepsTheUserFromPrintingIsToldAtThePressAndNothingElseHappens) {
    enum class Button { StandIn, AddIns };
    struct Case {
        const char* what;
        std::function<void()> before;  // before the office starts
        const char* dataFolder;        // the user's XDG_DATA_HOME, below the test's folder
        std::string message;           // the text of the box, as it shows
        Button button;
    };
    const std::string noPdftk = folder.path("nirgends/pdftk");
    const std::string blocked = folder.path("Datei/Daten");
    const std::string polish = folder.path("łukasz");
    const std::vector<Case> cases = {
        {"the system lacks pdftk", [&] { ::setenv("KALMORA_PDFTK", noPdftk.c_str(), 1); }, "Daten",
         "Für pdf-Kalmora fehlt das Debian-Paket \"pdftk\". Bitte installieren Sie es: sudo apt install pdftk\n" +
             noPdftk + " ist nicht vorhanden.",
         Button::StandIn},
        {"the add-in folder cannot be made", [&] { folder.write("Datei", "kein Ordner"); }, "Datei/Daten",
         "pdf-Kalmora lässt sich nicht einrichten:\n" + blocked + "/pdf-Kalmora: Ein Teil des Pfades ist kein Ordner.",
         Button::StandIn},
        {"the settings file cannot spell the user's folder", [] {}, "łukasz",
         "pdf-Kalmora lässt sich nicht einrichten:\n" + polish +
             "/pdf-Kalmora/Kopfbogen-Seite1.pdf: Die Einstellungsdatei pdf-Kalmora.ini (Windows-1252) kann diesen "
             "Pfad nicht aufnehmen.",
         Button::AddIns},
    };
    officeCalls([&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            endOffice();
            fs::remove_all(folder.path("Welt"));
            c.before();
            ::setenv("XDG_DATA_HOME", folder.path(c.dataFolder).c_str(), 1);
            startOffice();
            fs::remove_all(folder.path("Dokumente"));
            fs::create_directories(folder.path("Dokumente"));
            const auto letter = openExample("Angebot.docx");
            const ToolbarItem item = OfficeSession::button(letter);
            EXPECT_EQ(item.label, "pdf-Kalmora");
            EXPECT_EQ(item.command == "vnd.kalmora:Einrichtung", c.button == Button::StandIn);
            // The stand-in tells it at every press; the add-in's button once, then it works.
            for (int press = 1; press <= 2; ++press) {
                SCOPED_TRACE("press " + std::to_string(press));
                std::thread click = session->dispatchClick(letter, item.command);
                if (press == 2 && c.button == Button::AddIns) {
                    session->answer("PDF_Kalmora", "Return");  // the add-in misses its settings file
                } else {
                    const std::vector<std::string> texts = session->textsOf("pdf-Kalmora");
                    EXPECT_NE(std::find(texts.begin(), texts.end(), c.message), texts.end())
                        << ::testing::PrintToString(texts);
                    session->answer("pdf-Kalmora", "Return");
                }
                session->finish(click);
            }
            EXPECT_EQ(fs::exists(folder.path("Welt")), c.button == Button::AddIns);
            EXPECT_EQ(folder.read("geöffnet.txt"), "");
            ::unsetenv("KALMORA_PDFTK");
        }
    });
}

// What a run leaves once it has ended: no PDF printer or pdftk, no journal
// and no printer note.
void expectNothingOfTheRunLeft(const TempFolder& folder) {
    std::vector<std::string> programs;
    for (const std::string& process : processesNaming(folder.path()))
        if (process.find("PDFCreator") != std::string::npos || process.find("pdftk") != std::string::npos)
            programs.push_back(process);
    EXPECT_EQ(programs, std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(folder.path("pdf-Kalmora/pdf-Kalmora.lauf")));
    EXPECT_FALSE(fs::exists(folder.path("pdf-Kalmora/pdf-Kalmora.drucker")));
}

// The user does `action` at each moment of a run: it waits for the run's
// end, and nothing of the run is lost or left.
void LibreOfficeHost::duringARun(Action action) {
    // The add-in's window (the question) and its message box (the abort,
    // when pdftk fails) are open at their moments.
    enum class Moment { Printing, Letterheads, Question, Abort };
    const std::string settings = folder.read("pdf-Kalmora/pdf-Kalmora.ini");
    officeCalls([&] {
        for (const Moment moment : {Moment::Printing, Moment::Letterheads, Moment::Question, Moment::Abort}) {
            SCOPED_TRACE("moment " + std::to_string(static_cast<int>(moment)));
            // The question's Enter renames; the abort overwrites nothing.
            const std::string result =
                folder.path(moment == Moment::Question ? "Dokumente/Angebot_1_KBS.pdf" : "Dokumente/Angebot_KBS.pdf");
            fs::remove_all(folder.path("Dokumente"));
            fs::create_directories(folder.path("Dokumente"));
            const bool oldResult = moment == Moment::Question || moment == Moment::Abort;
            if (oldResult) folder.write("Dokumente/Angebot_KBS.pdf", "altes Ergebnis");
            // The abort comes where the question would: its answer is remembered.
            folder.write("pdf-Kalmora/pdf-Kalmora.ini",
                         settings + (moment == Moment::Abort ? "WordGelesen=1\r\nWordOverwrite=-1\r\n" : ""));
            holdPdftk(moment == Moment::Letterheads ? Pdftk::Held
                      : moment == Moment::Abort     ? Pdftk::Failing
                                                    : Pdftk::Free);
            const auto letter = openExample("Angebot.docx");
            const auto frame = letter->getCurrentController()->getFrame();
            std::thread click = session->dispatchClick(letter, OfficeSession::button(letter).command);
            session->answer(kChoice, "Return");
            switch (moment) {
                case Moment::Printing:
                    // Its own printer, not that of another test's office: its world is the test's.
                    ASSERT_TRUE(eventually([&] {
                        for (const std::string& process : processesNaming("PDFCreator.exe")) {
                            std::ifstream in("/proc/" + process.substr(0, process.find(':')) + "/environ",
                                             std::ios::binary);
                            const std::string environment(std::istreambuf_iterator<char>(in), {});
                            if (environment.find(folder.path("Welt")) != std::string::npos) return true;
                        }
                        return false;
                    }));
                    break;
                case Moment::Letterheads: ASSERT_TRUE(eventually([&] { return pdftkHeld(); })); break;
                case Moment::Question: session->textsOf("Frage ?"); break;
                case Moment::Abort: session->textsOf(kAddInBox); break;
            }
            switch (action) {
                case Action::Quit: EXPECT_FALSE(session->desktop()->terminate()); break;
                case Action::CloseWindow:
                    EXPECT_THROW(Reference<css::util::XCloseable>(frame, UNO_QUERY_THROW)->close(true),
                                 css::util::CloseVetoException);
                    break;
                case Action::Disable: session->changeExtension(OfficeSession::ExtensionChange::Disable); break;
            }
            if (moment == Moment::Letterheads) releasePdftk();
            if (moment == Moment::Question) session->answer("Frage ?", "Return");
            if (moment == Moment::Abort) {
                session->answer(kAddInBox, "Return");
            } else {
                expectOfferShown(result);
            }
            session->finish(click);
            switch (action) {
                case Action::Quit:
                    EXPECT_TRUE(eventually([&] { return !session->process().running(); }));
                    EXPECT_EQ(session->process().exitCode(), 0);
                    break;
                case Action::CloseWindow:
                    EXPECT_TRUE(eventually([&] {
                        const auto shown = frame->getController();
                        return !shown.is() || shown->getModel() != letter;
                    }));
                    EXPECT_TRUE(session->process().running());
                    break;
                case Action::Disable:
                    EXPECT_TRUE(eventually([&] { return OfficeSession::items(letter).empty(); }));
                    session->changeExtension(OfficeSession::ExtensionChange::Enable);
                    EXPECT_TRUE(session->process().running());
                    break;
            }
            if (oldResult) {
                EXPECT_EQ(folder.read("Dokumente/Angebot_KBS.pdf"), "altes Ergebnis");
            }
            std::set<std::string> left = folder.names("Dokumente");
            left.erase(".~lock.Angebot.docx#");
            EXPECT_EQ(left, (moment == Moment::Abort ? std::set<std::string>{"Angebot.docx", "Angebot_KBS.pdf"}
                             : oldResult ? std::set<std::string>{"Angebot.docx", "Angebot_KBS.pdf", "Angebot_1_KBS.pdf"}
                                         : std::set<std::string>{"Angebot.docx", "Angebot_KBS.pdf"}));
            expectNothingOfTheRunLeft(folder);
        }
    });
}

TEST_F(LibreOfficeHost, QuittingDuringARunWaitsForItsEndAndLosesNothing) {
    duringARun(Action::Quit);
}

TEST_F(LibreOfficeHost, ClosingTheWindowDuringARunWaitsForItsEndAndLosesNothing) {
    duringARun(Action::CloseWindow);
}

TEST_F(LibreOfficeHost, DisablingTheExtensionDuringARunWaitsForItsEndAndLosesNothing) {
    duringARun(Action::Disable);
}

TEST_F(LibreOfficeHost, DuringARunTheLetterTakesNoInputAndTheRunKeepsToIt) {
    officeCalls([&] {
        holdPdftk(Pdftk::Held);
        // The letter, opened last, lies on top where the user clicks.
        const auto other = session->open("private:factory/swriter");
        const auto letter = openExample("Angebot.docx");
        OfficeSession::button(other);
        OfficeSession::clickWithMouse(letter, "pdf-Kalmora");
        // The user activates another window while the choice is open.
        ASSERT_FALSE(OfficeSession::shown(kChoice).empty());
        other->getCurrentController()->getFrame()->activate();
        session->answer(kChoice, "Return");
        ASSERT_TRUE(eventually([&] { return pdftkHeld(); }));
        // The user types into the letter and presses the button of the other window.
        OfficeSession::typeInto("Angebot.docx", "ctrl+a Delete x");
        // The add-in's box comes while the run is held in pdftk: it can only
        // be the other press's "läuft bereits", and it holds nothing up.
        pressAndAnswer(other, OfficeSession::button(other).command, {{kAddInBox, "Return"}});
        // The run goes on under the message, with the letter as it was pressed.
        releasePdftk();
        expectOfferShown(folder.path("Dokumente/Angebot_KBS.pdf"));
        EXPECT_FALSE(Reference<css::util::XModifiable>(letter, UNO_QUERY_THROW)->isModified());
        expectNothingOfTheRunLeft(folder);
    });
}

TEST_F(LibreOfficeHost, TheOfficeLivesThroughDisablingEnablingAndRemovingTheExtension) {
    using Change = OfficeSession::ExtensionChange;
    officeCalls([&] {
        const auto letter = openExample("Angebot.docx");
        const auto other = session->open("private:factory/swriter");
        OfficeSession::button(letter);
        const auto windowsComeAndGo = [&] {
            const auto added = session->open("private:factory/swriter");
            letter->getCurrentController()->getFrame()->activate();
            other->getCurrentController()->getFrame()->activate();
            Reference<css::util::XCloseable>(added, UNO_QUERY_THROW)->close(true);
            EXPECT_TRUE(session->process().running());
        };
        session->changeExtension(Change::Disable);
        EXPECT_TRUE(eventually([&] { return OfficeSession::items(letter).empty(); }));
        windowsComeAndGo();
        session->changeExtension(Change::Enable);
        // Back on the open windows, and it works.
        OfficeSession::button(other);
        OfficeSession::clickWithMouse(letter, "pdf-Kalmora");
        session->answer(kChoice, "Return");
        EXPECT_EQ(viewer->opened(), folder.path("Dokumente/Angebot_KBS.pdf"));
        windowsComeAndGo();
        session->changeExtension(Change::Remove);
        EXPECT_TRUE(eventually([&] { return OfficeSession::items(letter).empty(); }));
        windowsComeAndGo();
        EXPECT_EQ(session->end(), 0);
    });
}

}  // namespace
