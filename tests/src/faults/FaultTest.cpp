// Exports that something breaks in the middle: pdftk or the PDF printer ended
// while they work, the output folder's disk full. Each time the user is told,
// the old result is still there, byte for byte, and nothing is left behind.
#include <signal.h>
#include <sys/mount.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "platform/win32/ChildReaper.h"
#include "platform/win32/Process.h"
#include "tests/src/printing/RealPdfPrinter.h"
#include "tests/support/Eventually.h"
#include "tests/support/PdfText.h"
#include "tests/support/Processes.h"
#include "tests/support/ScopedVariable.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string noResult = "Es wurde keine PDF-Datei erzeugt: ";

// What the user's programs do meanwhile: "taskkill /f /im <image>", as
// another host's export or the user at a console would run it.
void taskkill(const std::string& image) {
    win32::StartedProcess started;
    ASSERT_TRUE(win32::startProcess({"taskkill /f /im " + image, win32::SW_HIDE}, started));
    win32::ChildReaper::instance().wait(started.pid, 30s);
}

class Faults : public RealPdfPrinter {
protected:
    void SetUp() override {
        RealPdfPrinter::SetUp();
        wordDocument();
        // The user's earlier result, to be replaced without a question.
        settings("WordGelesen=1\r\nWordOverwrite=-1\r\n");
        folder.write("Dokumente/Angebot.pdf", oldResult);
    }
    void TearDown() override {
        ::unsetenv("KALMORA_PDFTK");
        RealPdfPrinter::TearDown();
    }

    std::string result() const { return documents() + "\\Angebot.pdf"; }
    bool oldResultStays() const { return folder.read("Dokumente/Angebot.pdf") == oldResult; }
    // Waits for the run's programs to be gone, and tells which are not.
    std::vector<std::string> leftoverProcesses() const {
        eventually([&] { return processesNaming(folder.path()).empty(); }, 10s);
        return processesNaming(folder.path());
    }

    const std::string oldResult = office::textToPdf("ALTES ERGEBNIS");
};

TEST_F(Faults, PdftkEndedWhileItWritesLeavesNoHalfResultAndTheOldOneStays) {
    folder.write("pdftk", StalledPdftk);
    fs::permissions(folder.path("pdftk"), fs::perms::owner_all);
    ::setenv("KALMORA_PDFTK", folder.path("pdftk").c_str(), 1);
    struct Case {
        const char* step;
        const char* commandPart;
        // Ended by the run's own limit on the wait (its minute shortened to
        // ten seconds), not by another export.
        bool overTime;
        std::string why;
    };
    const std::string tooLong = "pdftk brauchte länger als 11 Sekunden, um ";
    // The first page stamped, the following pages stamped, both joined.
    const std::string ended =
        noResult + result() + "\r\npdftk wurde während der Arbeit beendet (Code 137) und meldete nichts.";
    for (const Case& c : {Case{"first page", "erste.pdf", false, ended},
                          Case{"following pages", "zweite.pdf", false, ended}, Case{"join", "cat A B", false, ended},
                          Case{"first page, too long", "erste.pdf", true,
                               tooLong + "den Kopfbogen " + letterheads() + "\\erste.pdf unter " + documents() +
                                   "\\Angebot_$1.pdf zu legen, und wurde beendet."},
                          Case{"join, too long", "cat A B", true,
                               tooLong + "die Seiten zu " + result() + " zusammenzufügen, und wurde beendet."}}) {
        SCOPED_TRACE(c.step);
        const ScopedVariable limit("KALMORA_PDFTK_SECONDS",
                                   c.overTime ? std::optional<std::string>("10") : std::nullopt);
        const std::string mark = folder.path("abgebrochen");
        fs::remove(mark);
        ::setenv("KALMORA_KILL_AT", c.commandPart, 1);
        ::setenv("KALMORA_KILL_MARK", mark.c_str(), 1);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok"});
        runtime::setBackend(script);
        // Another export ends every pdftk of the user while this one writes.
        std::thread other([&] {
            if (!c.overTime && eventually([&] { return fs::exists(mark); }, 60s)) taskkill("PDFtk.exe");
        });
        run(*word);
        other.join();

        EXPECT_TRUE(fs::exists(mark));
        EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0", shown::abort(c.why)}));
        EXPECT_TRUE(oldResultStays());
        EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
        EXPECT_EQ(leftoverProcesses(), std::vector<std::string>{});
    }
    // With pdftk working again the next export replaces the old result.
    ::unsetenv("KALMORA_PDFTK");
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(pdf::pageCount(folder.path("Dokumente/Angebot.pdf")), 3);
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
}

TEST_F(Faults, AResultWithoutAllTheDocumentsPagesIsNoResultAndTheOldOneStays) {
    // A pdftk whose join leaves out the following pages and says it is done.
    folder.write("pdftk", R"(#!/bin/bash
if [[ "$*" == *"cat A B output"* ]]; then exec /usr/bin/pdftk "$1" "$2" cat A output "${@: -1}"; fi
exec /usr/bin/pdftk "$@"
)");
    fs::permissions(folder.path("pdftk"), fs::perms::owner_all);
    ::setenv("KALMORA_PDFTK", folder.path("pdftk").c_str(), 1);
    answers({"choice 0", "msgbox ok"});
    run(*word);
    EXPECT_EQ(
        record(),
        (std::vector<std::string>{
            shown::choice + " -> 0",
            shown::abort(noResult + result() + "\r\nDie erzeugte PDF-Datei hat 1 Seite, das Dokument hat 3 Seiten.")}));
    EXPECT_TRUE(oldResultStays());
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
}

TEST_F(Faults, ThePdfPrinterEndedDuringAJobIsReportedAndTheNextExportWorks) {
    const fs::path spool = printers::spoolFolder("PDFCreator");
    std::thread user([&] {
        // Ended as soon as the first job reaches it.
        const bool spooled = eventually([&] { return fs::exists(spool) && !fs::is_empty(spool); }, 60s);
        if (spooled) taskkill("PDFCreator.exe");
    });
    answers({"choice 0", "msgbox ok"});
    run(*word);
    user.join();

    EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0",
                                                  shown::abort("Der PDF-Drucker \"PDFCreator\" meldet einen Fehler: "
                                                               "Der RPC-Server ist nicht verfügbar.")}));
    EXPECT_TRUE(oldResultStays());
    // What the printer wrote before it ended goes with the run.
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);

    // The next export starts the printer afresh and drops what the dead one
    // left waiting.
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(record().back(), "open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf")));
    EXPECT_EQ(pdf::pageCount(folder.path("Dokumente/Angebot.pdf")), 3);
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
}

// A PDF printer that hangs (it takes the jobs and writes nothing) is ended,
// and a new one prints: the export works instead of failing for ever.
TEST_F(Faults, AHungPdfPrinterIsEndedAndANewOnePrints) {
    ASSERT_TRUE(com::isTrue(com::CreateObject("PDFCreator.clsPDFCreator").call("cStart").toBoolean()));
    const int hung = std::stoi(folder.read("Welt/pdfprinter/instance.lock"));
    ASSERT_EQ(::kill(hung, SIGSTOP), 0);
    answers({"choice 0"});
    run(*word);
    const bool ended = eventually([&] { return ::kill(hung, 0) != 0; }, 10s);
    if (!ended) ::kill(hung, SIGKILL);

    EXPECT_TRUE(ended);
    EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0",
                                                  "open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf"))}));
    EXPECT_EQ(pdf::pageCount(folder.path("Dokumente/Angebot.pdf")), 3);
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
}

// An add-in folder that cannot be written (a read-only share, a folder the
// administrator owns): the journal is lost, never a file of the user's.
TEST_F(Faults, AnAddInFolderThatCannotBeWrittenHidesNothingAndLeavesNothing) {
    const std::string settingsBytes = folder.read("AddIn/pdf-Kalmora.ini");
    if (::mount("tmpfs", addIn().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
        GTEST_SKIP() << "no file system can be mounted here: mounting one needs root with CAP_SYS_ADMIN";
    const std::unique_ptr<const char, void (*)(const char*)> mounted(
        addIn().c_str(), [](const char* path) { ::umount2(path, MNT_DETACH); });
    folder.write("AddIn/pdf-Kalmora.ini", settingsBytes);
    fs::create_symlink(PDFTK_LAUNCHER, folder.path("AddIn/pdftk.exe"));
    ASSERT_EQ(::mount("tmpfs", addIn().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    folder.write("Dokumente/Angebot_$2.pdf", "MEINE DATEI");

    // Each file that cannot be written is named once, at the first export.
    const std::string readOnly = "Der Datenträger ist schreibgeschützt.";
    const std::vector<std::string> told = {
        shown::box(48, shown::title,
                   "Das Laufprotokoll " + addIn() + "\\pdf-Kalmora.lauf lässt sich nicht schreiben: " + readOnly +
                       "\r\nDer Export läuft ohne Protokoll: bricht er ab, räumt der nächste Export seine Dateien "
                       "nicht auf.",
                   1),
        shown::box(48, shown::title,
                   "Die Notiz zum Standarddrucker " + addIn() +
                       "\\pdf-Kalmora.drucker lässt sich nicht schreiben. Der Standarddrucker bleibt deshalb beim "
                       "PDF-Ausdruck unverändert.\r\n" +
                       readOnly,
                   1)};
    const std::string opened = "open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf"));
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE(run);
        script =
            std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok", "msgbox ok"});
        runtime::setBackend(script);
        this->run(*word);
        std::vector<std::string> shownThen = {shown::choice + " -> 0"};
        if (run == 1) shownThen.insert(shownThen.end(), told.begin(), told.end());
        shownThen.push_back(opened);
        EXPECT_EQ(record(), shownThen);
        EXPECT_EQ(pdf::pageCount(folder.path("Dokumente/Angebot.pdf")), 3);
        EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf", "Angebot_$2.pdf"}));
        EXPECT_EQ(folder.read("Dokumente/Angebot_$2.pdf"), "MEINE DATEI");
        EXPECT_EQ(printers::defaultPrinter(), officePrinter);
    }
    EXPECT_EQ(folder.names("AddIn"), (std::set<std::string>{"pdf-Kalmora.ini", "pdftk.exe"}));
}

// The output folder on a file system of its own, of a few pages only.
class FullDisk : public Faults {
protected:
    void SetUp() override {
        Faults::SetUp();
        fs::create_directories(folder.path("Klein"));
        if (::mount("tmpfs", folder.path("Klein").c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0) {
            const int error = errno;
            GTEST_SKIP() << "no small file system can be mounted here (" << std::strerror(error)
                         << "); mounting one needs root with CAP_SYS_ADMIN";
        }
        mounted_ = true;
        settings("WordGelesen=1\r\nWordOverwrite=-1\r\nPDFAusgabePfadWord=" + folder.windowsPath("Klein") + "\r\n");
    }
    void TearDown() override {
        if (mounted_) ::umount2(folder.path("Klein").c_str(), MNT_DETACH);
        Faults::TearDown();
    }

    // Fills the file system up to `free` bytes left.
    void leave(std::uintmax_t free) {
        fs::remove(folder.path("Klein/Füllung"));
        const std::uintmax_t available = fs::space(folder.path("Klein")).available;
        ASSERT_GE(available, free);
        folder.write("Klein/Füllung", std::string(available - free, 'x'));
    }

private:
    bool mounted_ = false;
};

TEST_F(FullDisk, ADiskThatFillsUpDuringTheRunNeverCostsTheOldResult) {
    folder.write("Klein/Angebot.pdf", oldResult);
    const std::string resultFile = folder.windowsPath("Klein") + "\\Angebot.pdf";
    const std::string noRoom =
        "\r\nIm Ausgabeordner " + folder.windowsPath("Klein") + "\\ ist kein Platz mehr: Sein Datenträger ist voll.";
    const std::string full = noResult + resultFile + noRoom;
    struct Case {
        std::uintmax_t free;  // bytes left, in pages of 4 KiB
        const char* fullAt;
        std::vector<std::string> told;  // after the choice; empty when the result is made
    };
    // Each page of room lets the run get one step further.
    const Case cases[] = {
        // The first page saved, the following pages not: the wait for them
        // ends silently, and the full disk stops the stamping.
        // Nothing printed: the printer says so, and the run has nothing to stamp.
        {0,
         "the printer saving the first page",
         {shown::box(16, shown::title, "Beim Speichern als pdf ist ein Fehler aufgetreten!" + noRoom, 1),
          shown::abort(noRoom.substr(2))}},
        {4096, "the printer saving the following pages", {shown::abort(full)}},
        {8192, "stamping the first page", {shown::abort(full)}},
        {12288, "stamping the following pages", {shown::abort(full)}},
        {16384, "joining both into the result", {shown::abort(full)}},
        {20480, "nowhere", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("full at ") + c.fullAt);
        leave(c.free);
        script =
            std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok", "msgbox ok"});
        runtime::setBackend(script);
        run(*word);

        std::vector<std::string> expected = {shown::choice + " -> 0"};
        expected.insert(expected.end(), c.told.begin(), c.told.end());
        if (c.told.empty()) expected.push_back("open " + runtime::quoted(folder.path("Klein/Angebot.pdf")));
        EXPECT_EQ(record(), expected);
        if (c.told.empty()) {
            ASSERT_EQ(pdf::pageCount(folder.path("Klein/Angebot.pdf")), 3);
            EXPECT_EQ(pdf::pageText(folder.path("Klein/Angebot.pdf"), 3), "Seite drei FOLGE BRIEFKOPF");
        } else {
            EXPECT_EQ(folder.read("Klein/Angebot.pdf"), oldResult);
        }
        EXPECT_EQ(folder.names("Klein"), (std::set<std::string>{"Angebot.pdf", "Füllung"}));
    }
    // A folder that cannot be written is named at once, before the choice.
    ASSERT_EQ(::mount("tmpfs", folder.path("Klein").c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"msgbox ok"});
    runtime::setBackend(script);
    run(*word);
    EXPECT_EQ(record(), (std::vector<std::string>{shown::abort("In den Ausgabeordner " + folder.windowsPath("Klein") +
                                                               "\\ lässt sich nicht schreiben.")}));
}

}  // namespace
