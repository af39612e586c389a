// Writer and Calc as hosts of the add-in, as a user has them: LibreOffice with
// windows on an X server of the test's own, a profile of its own into which
// scripts/install added the extension, which set up the add-in folder and its
// settings at the office's start. The button
// is found on the Standard toolbar through the office's layout manager,
// pressed by a real mouse click or through its dispatch, and the add-in's
// windows are answered by keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <com/sun/star/accessibility/XAccessible.hpp>
#include <com/sun/star/accessibility/XAccessibleComponent.hpp>
#include <com/sun/star/accessibility/XAccessibleContext.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XLayoutManager.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/ui/XImageManager.hpp>
#include <com/sun/star/ui/XUIElement.hpp>
#include <com/sun/star/ui/XUIElementSettings.hpp>
#include <com/sun/star/ui/theModuleUIConfigurationManagerSupplier.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <osl/file.hxx>
#include <thread>

#include "platform/office/render/OfficeConnection.h"
#include "platform/office/render/OfficeProcess.h"
#include "platform/uno/UnoText.h"
#include "tests/support/LetterheadPages.h"
#include "tests/support/PdfText.h"
#include "tests/support/Processes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowFocus.h"
#include "tests/support/Xvfb.h"

namespace {

namespace css = com::sun::star;
namespace fs = std::filesystem;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

constexpr const char* kFirst = "KALMORA BUERO-SERVICE";
constexpr const char* kFollowing = "Kalmora - Folgeseite";
constexpr auto kPatience = std::chrono::seconds(60);  // what a user waits for at most

// Polls `done` until it holds or a user's patience ends.
bool eventually(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + kPatience;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

struct ToolbarItem {
    std::string label, command;
};

class LibreOfficeHost : public ::testing::Test {
protected:
    TempFolder folder;
    std::optional<Xvfb> screen;
    std::optional<office::OfficeProcess> process;
    Reference<css::uno::XComponentContext> context;
    Reference<css::frame::XDesktop2> desktop;

    void SetUp() override {
        ::setenv("KALMORA_WORLD", folder.path("Welt").c_str(), 1);
        ::setenv("HOME", folder.path().c_str(), 1);
        // The office sets up the add-in folder there at its start.
        ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
        // The desktop's viewer is a stand-in that notes what it was asked to open.
        fs::create_directories(folder.path("bin"));
        folder.write("bin/xdg-open", "#!/bin/sh\necho \"$1\" >> " + folder.path("geöffnet.txt") + "\n");
        fs::permissions(folder.path("bin/xdg-open"), fs::perms::owner_all);
        ::setenv("PATH", (folder.path("bin") + ":" + std::getenv("PATH")).c_str(), 1);
        fs::create_directories(folder.path("Dokumente"));
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
        screen.reset();
        if (HasFailure()) std::cerr << "The office's log:\n" << folder.read("office.log");
    }

    void startOffice() {
        process.emplace(folder.path("Profil"), "kalmora-gui-" + std::to_string(::getpid()),
                        office::OfficeOptions{office::OfficeWindows::Shown, folder.path("office.log")});
        context = office::connectToOffice(*process, std::chrono::seconds(60));
        desktop = css::frame::Desktop::create(context);
    }

    void endOffice() {
        if (process && process->running()) {
            try {
                desktop->terminate();
            } catch (const css::uno::Exception&) {
                // The office often ends before it answers.
            }
        }
        desktop.clear();
        context.clear();
        process.reset();
    }

    // Opens a document in a window, as the user does; a copy of an example
    // document goes to the test's document folder first.
    Reference<css::frame::XModel> open(const std::string& url) {
        return Reference<css::frame::XModel>(desktop->loadComponentFromURL(uno::text(url), "_blank", 0, {}),
                                             UNO_QUERY_THROW);
    }
    Reference<css::frame::XModel> openExample(const std::string& name) {
        fs::copy_file(fs::path(EXAMPLES_FOLDER) / name, folder.path("Dokumente/" + name));
        return open(uno::text(uno::fileUrl(folder.path("Dokumente/" + name))));
    }

    static Reference<css::ui::XUIElement> standardToolbar(const Reference<css::frame::XModel>& model) {
        Reference<css::frame::XLayoutManager> layout;
        Reference<css::beans::XPropertySet>(model->getCurrentController()->getFrame(), UNO_QUERY_THROW)
            ->getPropertyValue("LayoutManager") >>= layout;
        return layout->getElement("private:resource/toolbar/standardbar");
    }

    // The add-ins' items on the window's Standard toolbar.
    static std::vector<ToolbarItem> items(const Reference<css::frame::XModel>& model) {
        std::vector<ToolbarItem> found;
        const Reference<css::ui::XUIElementSettings> settings(standardToolbar(model), UNO_QUERY_THROW);
        const Reference<css::container::XIndexAccess> all = settings->getSettings(false);
        for (sal_Int32 i = 0; i < all->getCount(); ++i) {
            Sequence<css::beans::PropertyValue> properties;
            all->getByIndex(i) >>= properties;
            ToolbarItem item;
            for (const auto& property : properties) {
                rtl::OUString text;
                if (!(property.Value >>= text)) continue;
                if (property.Name == "Label") item.label = uno::text(text);
                if (property.Name == "CommandURL") item.command = uno::text(text);
            }
            if (item.command.starts_with("vnd.kalmora:")) found.push_back(item);
        }
        return found;
    }

    // The button of the add-in, once the office shows it.
    ToolbarItem button(const Reference<css::frame::XModel>& model) {
        std::vector<ToolbarItem> shown;
        EXPECT_TRUE(eventually([&] { return !(shown = items(model)).empty(); }));
        return shown.empty() ? ToolbarItem{} : shown.front();
    }

    bool hasFace(const std::string& module, const std::string& command) const {
        const auto images = css::ui::theModuleUIConfigurationManagerSupplier::get(context)
                                ->getUIConfigurationManager(uno::text(module))
                                ->getImageManager();
        const rtl::OUString name = uno::text(command);
        const Sequence<Reference<css::graphic::XGraphic>> faces =
            Reference<css::ui::XImageManager>(images, UNO_QUERY_THROW)->getImages(0, Sequence<rtl::OUString>(&name, 1));
        return faces.getLength() == 1 && faces[0].is();
    }

    // A real mouse click in the middle of the toolbar button labelled `label`.
    void clickWithMouse(const Reference<css::frame::XModel>& model, const std::string& label) {
        // Where the button is on the screen once the window shows it and
        // has settled: the same place twice in a row, as a user's eye finds it.
        std::optional<css::awt::Point> last;
        std::optional<css::awt::Point> middle;
        ASSERT_TRUE(eventually([&] {
            const std::optional<css::awt::Point> now = buttonMiddle(model, label);
            const bool settled = now && last && now->X == last->X && now->Y == last->Y;
            last = now;
            if (settled) middle = now;
            return settled;
        })) << "no item \""
            << label << "\" on the toolbar";
        xdotool("mousemove --sync " + std::to_string(middle->X) + " " + std::to_string(middle->Y));
        xdotool("click 1");
    }

    static std::optional<css::awt::Point> buttonMiddle(const Reference<css::frame::XModel>& model,
                                                       const std::string& label) {
        const Reference<css::awt::XWindow> window(standardToolbar(model)->getRealInterface(), UNO_QUERY_THROW);
        const auto toolbar =
            Reference<css::accessibility::XAccessible>(window, UNO_QUERY_THROW)->getAccessibleContext();
        for (sal_Int32 i = 0; i < toolbar->getAccessibleChildCount(); ++i) {
            const auto item = toolbar->getAccessibleChild(i)->getAccessibleContext();
            if (uno::text(item->getAccessibleName()) != label) continue;
            const Reference<css::accessibility::XAccessibleComponent> component(item, UNO_QUERY_THROW);
            const auto at = component->getLocationOnScreen();
            const auto size = component->getSize();
            if (size.Width <= 0 || size.Height <= 0) return std::nullopt;
            return css::awt::Point(at.X + size.Width / 2, at.Y + size.Height / 2);
        }
        return std::nullopt;
    }

    // Presses the button through the office's dispatch, as the toolbar does;
    // the click runs until its windows are answered.
    std::thread dispatchClick(const Reference<css::frame::XModel>& model, const std::string& command) {
        const Reference<css::frame::XDispatchProvider> frame(model->getCurrentController()->getFrame(),
                                                             UNO_QUERY_THROW);
        return std::thread([this, frame, command] {
            try {
                css::frame::DispatchHelper::create(context)->executeDispatch(frame, uno::text(command), "", 0, {});
            } catch (const css::uno::Exception&) {
                // The office was ended under the click (finish).
            }
        });
    }

    // Waits for a dispatched click to end. After a failure (a window that
    // did not show, or was not answered) the office is ended first, so that
    // the click does not wait for ever.
    void finish(std::thread& click) {
        if (HasFailure()) process.reset();
        click.join();
    }

    static std::string xdotool(const std::string& arguments) { return pdf::run("xdotool " + arguments + " 2>&1"); }

    // The texts that the active window titled `title` shows (its controls'
    // accessible names), once it is ready for keys.
    std::vector<std::string> textsOf(const std::string& title) {
        std::vector<std::string> texts;
        EXPECT_TRUE(eventually([&] { return readyForKeys(context, title); })) << "no window \"" << title << "\"";
        const Reference<css::awt::XExtendedToolkit> toolkit(css::awt::Toolkit::create(context), UNO_QUERY_THROW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        const Reference<css::accessibility::XAccessible> window(toolkit->getActiveTopWindow(), UNO_QUERY);
#pragma GCC diagnostic pop
        const std::function<void(const Reference<css::accessibility::XAccessibleContext>&, int)> collect =
            [&](const Reference<css::accessibility::XAccessibleContext>& control, int depth) {
                if (!control.is() || depth > 4) return;
                if (depth > 0 && !control->getAccessibleName().isEmpty())
                    texts.push_back(uno::text(control->getAccessibleName()));
                for (sal_Int32 i = 0; i < control->getAccessibleChildCount(); ++i)
                    collect(control->getAccessibleChild(i)->getAccessibleContext(), depth + 1);
            };
        if (window.is()) collect(window->getAccessibleContext(), 0);
        return texts;
    }

    // Waits for the window titled `title` and types `keys` into it; with a
    // `screenshot` name, the screen as the user sees it is saved first.
    void answer(const std::string& title, const std::string& keys, const std::string& screenshot = {}) {
        std::string window;
        ASSERT_TRUE(eventually([&] {
            window = xdotool("search --onlyvisible --name " + pdf::quoted(title));
            return !window.empty() && window.find_first_not_of("0123456789\n") == std::string::npos;
        })) << "no window \""
            << title << "\"";
        if (!screenshot.empty()) saveScreen(screenshot);
        // Without a window manager nothing gives a new window the focus.
        xdotool("windowfocus --sync " + window.substr(0, window.find('\n')));
        ASSERT_TRUE(eventually([&] { return readyForKeys(context, title); })) << title << " takes no keys";
        xdotool("key --delay 50 " + keys);
    }

    // The whole screen as a PNG file in the build's renders/ folder
    // (scripts/make-screenshots takes them for the README).
    static void saveScreen(const std::string& name) {
        fs::create_directories(RENDER_FOLDER);
        pdf::run("import -window root " + pdf::quoted(std::string(RENDER_FOLDER) + "/" + name + ".png"));
    }

    // The file the add-in had opened last, once it asked for one (the
    // office hands the viewer a file URL; the test's paths need no escapes).
    std::string opened() {
        std::string shown;
        EXPECT_TRUE(eventually([&] { return !(shown = folder.read("geöffnet.txt")).empty(); }));
        fs::remove(folder.path("geöffnet.txt"));
        if (shown.starts_with("file://")) shown.erase(0, 7);
        return shown.empty() ? shown : shown.substr(0, shown.size() - 1);
    }

    static std::vector<std::string> pages(const std::string& file) {
        std::vector<std::string> texts;
        for (int page = 1; page <= pdf::pageCount(file); ++page) texts.push_back(pdf::pageText(file, page));
        return texts;
    }
};

// Runs a test's steps; an exception of the office, which GoogleTest cannot
// name, fails the test with the office's message.
void officeCalls(const std::function<void()>& steps) {
    try {
        steps();
    } catch (const css::uno::Exception& error) {
        FAIL() << "the office raised: " << uno::text(error.Message);
    }
}

// Each page holds its own text, in order, under the letterhead of its place.
void expectPages(const std::vector<std::string>& pages, const std::vector<std::string>& texts,
                 const std::vector<std::string>& letterheads) {
    expectLetterheadPages(pages, texts, letterheads, kFirst, kFollowing);
}

const std::vector<std::string> kOffer = {"Angebot Nr. 2026-117", "Leistungsbeschreibung", "Preise und Bedingungen"};

TEST_F(LibreOfficeHost, AWriterLetterGetsItsLetterheadsFromAMouseClickOnTheButton) {
    officeCalls([&] {
        const auto letter = openExample("Angebot.docx");
        const ToolbarItem item = button(letter);
        EXPECT_EQ(item.label, "pdf-Kalmora");
        EXPECT_TRUE(hasFace("com.sun.star.text.TextDocument", item.command));
        clickWithMouse(letter, "pdf-Kalmora");
        answer("Auswahl mit Doppelklick bestätigen", "Return", "LibreOffice-Auswahl");
        EXPECT_EQ(opened(), folder.path("Dokumente/Angebot_KBS.pdf"));
        saveScreen("LibreOffice-Writer");
        expectPages(pages(folder.path("Dokumente/Angebot_KBS.pdf")), kOffer, {kFirst, kFollowing, kFollowing});
    });
}

TEST_F(LibreOfficeHost, ACalcWorkbookPrintsTheSheetItsWindowShows) {
    officeCalls([&] {
        const auto workbook = openExample("Preisliste.xlsx");
        std::thread click = dispatchClick(workbook, button(workbook).command);
        answer("Auswahl mit Doppelklick bestätigen", "Down Down Return");
        finish(click);
        EXPECT_EQ(opened(), folder.path("Dokumente/Preisliste_Preise_KBS.pdf"));
        expectPages(pages(folder.path("Dokumente/Preisliste_Preise_KBS.pdf")),
                    {"Seite 1: Vorlagen", "Seite 2: Schulung", "Seite 3: Betreuung"},
                    {kFollowing, kFollowing, kFollowing});
    });
}

TEST_F(LibreOfficeHost, AnEditedLetterIsSavedFirstAndPrintedWithTheEdit) {
    officeCalls([&] {
        const auto letter = openExample("Angebot.docx");
        const auto text = Reference<css::text::XTextDocument>(letter, UNO_QUERY_THROW)->getText();
        text->insertString(text->getEnd(), "Nachtrag vom Nachmittag", false);
        std::thread click = dispatchClick(letter, button(letter).command);
        answer("COM-Add-In: Erzeuge PDF mit Kalmora", "Return");  // "Zur Weiterarbeit muss ... gespeichert werden!"
        answer("Auswahl mit Doppelklick bestätigen", "Down Return");
        finish(click);
        EXPECT_FALSE(Reference<css::util::XModifiable>(letter, UNO_QUERY_THROW)->isModified());
        const std::vector<std::string> printed = pages(opened());
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
        const auto letter = open("private:factory/swriter");
        std::thread click = dispatchClick(letter, button(letter).command);
        answer("COM-Add-In: Erzeuge PDF mit Kalmora", "Return");  // "Das Dokument hat keine Inhalt"
        finish(click);
        EXPECT_EQ(folder.names("Dokumente"), std::set<std::string>{});
    });
}

TEST_F(LibreOfficeHost, TheRememberedAnswerToAnExistingResultIsNotAskedAgain) {
    officeCalls([&] {
        const auto letter = openExample("Angebot.docx");
        const std::string command = button(letter).command;
        for (int run = 1; run <= 3; ++run) {
            SCOPED_TRACE("run " + std::to_string(run));
            std::thread click = dispatchClick(letter, command);
            answer("Auswahl mit Doppelklick bestätigen", "Return");
            // The second run is asked and overwrites, ticking "remember"; the
            // third is not asked.
            if (run == 2) answer("Frage ?", "Tab Tab Tab space shift+Tab shift+Tab Return");
            finish(click);
            EXPECT_EQ(opened(), folder.path("Dokumente/Angebot_KBS.pdf"));
        }
        // Beside the result only the office's own lock of the open letter.
        EXPECT_EQ(folder.names("Dokumente"),
                  (std::set<std::string>{".~lock.Angebot.docx#", "Angebot.docx", "Angebot_KBS.pdf"}));
        EXPECT_NE(folder.read("pdf-Kalmora/pdf-Kalmora.ini").find("WordOverwrite=-1"), std::string::npos);
    });
}

TEST_F(LibreOfficeHost, AnImpressWindowHasNoButtonAndClosingTheOfficeLeavesNothing) {
    officeCalls([&] {
        const auto letter = openExample("Angebot.docx");
        button(letter);
        const auto slides = open("private:factory/simpress");
        EXPECT_EQ(items(slides).size(), 0u);
        desktop->terminate();
        EXPECT_TRUE(eventually([&] { return !process->running(); }));
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
            const ToolbarItem item = button(letter);
            EXPECT_EQ(item.label, "pdf-Kalmora");
            EXPECT_EQ(item.command == "vnd.kalmora:Einrichtung", c.button == Button::StandIn);
            // The stand-in tells it at every press; the add-in's button once, then it works.
            for (int press = 1; press <= 2; ++press) {
                SCOPED_TRACE("press " + std::to_string(press));
                std::thread click = dispatchClick(letter, item.command);
                if (press == 2 && c.button == Button::AddIns) {
                    answer("PDF_Kalmora", "Return");  // the add-in misses its settings file
                } else {
                    const std::vector<std::string> texts = textsOf("pdf-Kalmora");
                    EXPECT_NE(std::find(texts.begin(), texts.end(), c.message), texts.end())
                        << ::testing::PrintToString(texts);
                    answer("pdf-Kalmora", "Return");
                }
                finish(click);
            }
            EXPECT_EQ(fs::exists(folder.path("Welt")), c.button == Button::AddIns);
            EXPECT_EQ(folder.read("geöffnet.txt"), "");
            ::unsetenv("KALMORA_PDFTK");
        }
    });
}

}  // namespace
