// Printing the host's document to PDF: the files and pages each layout gives,
// the printers put back, and what the user is told when printing fails.
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "platform/printers/PrintSystem.h"
#include "platform/win32/ProcessIdentity.h"
#include "src/printing/Printing.h"
#include "tests/src/export/ExportFixture.h"
#include "tests/support/PdfText.h"

namespace {

namespace fs = std::filesystem;

// A file system of a few pages at `path`, for a disk that fills up; nothing
// where none can be mounted (that needs root).
class SmallDisk {
public:
    explicit SmallDisk(std::string path) : path_(std::move(path)) {
        fs::create_directories(path_);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0;
        if (!mounted_) error_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& error() const { return error_; }
    // Fills it up to `free` bytes left.
    void leave(std::uintmax_t free) const {
        const fs::path filler = fs::path(path_) / "Füllung";
        fs::remove(filler);
        const std::uintmax_t available = fs::space(path_).available;
        ASSERT_GE(available, free);
        std::ofstream(filler, std::ios::binary) << std::string(available - free, 'x');
    }

private:
    std::string path_;
    bool mounted_ = false;
    std::string error_;
};

const std::string noteKind = "pdf-Kalmora Standarddrucker 1\n";

// The owner lines of a note whose run died: this machine and boot, a process
// that is gone.
std::string deadOwner() {
    const win32::ProcessIdentity me = win32::currentProcessIdentity();
    return "Rechner=" + me.machine + "\nSystemstart=" + me.boot + "\nProzess=" + std::to_string(me.process) +
           "\nProzessstart=" + std::to_string(me.started + 1) + "\n";
}

class Printing : public ExportFixture {
protected:
    std::string noteFile() const { return folder.path("AddIn") + "\\pdf-Kalmora.drucker"; }
    static std::string told(const std::string& text) { return shown::box(48, shown::title, text, 1); }
    // No result of an earlier run, so that nothing asks about replacing it.
    void clearDocuments() {
        for (const auto& entry : fs::directory_iterator(folder.path("Dokumente"))) fs::remove(entry.path());
    }

    // The pages of a file as the PDF printer wrote it (the run's cleanup
    // removes it afterwards); none when it wrote no such file.
    std::vector<std::string> pages(const std::string& file) {
        const std::string reported = folder.windowsPath(file);
        if (!pdfPrinter->printed.count(reported)) return {};
        folder.write("geprueft.pdf", pdfPrinter->printed[reported]);
        return pdf::pageTexts(folder.path("geprueft.pdf"));
    }
    com::Ref<office::Workbook> workbook() {
        office::Document::State state;
        state.path = documents();
        state.name = "Mappe.xlsx";
        state.file = documentFile("Mappe.xlsx", threePages());
        return excel->open(state);
    }
};

TEST_F(Printing, EachLayoutOnBothHostsPrintsItsFiles) {
    using Pages = std::vector<std::string>;
    const Pages all = {"Seite eins", "Seite zwei", "Seite drei"};
    struct Case {
        bool excel;
        int layout;
        Pages firstPart;
        Pages restPart;  // empty: no file
    };
    const Case cases[] = {
        {false, 0, {"Seite eins"}, {"Seite zwei", "Seite drei"}}, {false, 1, all, {}}, {false, 2, all, {}},
        {true, 0, {"Seite eins"}, {"Seite zwei", "Seite drei"}},  {true, 1, all, {}},  {true, 2, all, {}},
    };
    // Excel's user has a default printer whose name holds an apostrophe.
    const std::string chefs = "Chef's Laser";
    printers::install(chefs);
    for (const Case& c : cases) {
        SCOPED_TRACE((c.excel ? "Excel, layout " : "Word, layout ") + std::to_string(c.layout));
        const std::string userDefault = c.excel ? chefs : officePrinter;
        printers::setDefaultPrinter(userDefault);
        for (const auto& entry : fs::directory_iterator(folder.path("Dokumente"))) fs::remove(entry.path());
        pdfPrinter->printed.clear();
        c.excel ? void(workbook()) : void(wordDocument());
        script =
            std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice " + std::to_string(c.layout)});
        runtime::setBackend(script);
        run(c.excel ? static_cast<office::Application&>(*excel) : *word);
        const std::string base = c.excel ? "Dokumente/Mappe_Tabelle1" : "Dokumente/Angebot";
        EXPECT_EQ(pages(base + "_$1.pdf"), c.firstPart);
        EXPECT_EQ(pages(base + "_$2.pdf"), c.restPart);
        EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> " + std::to_string(c.layout),
                                                      "open " + runtime::quoted(folder.path(base + ".pdf"))}));
        EXPECT_EQ(printers::defaultPrinter(), userDefault);
    }
}

TEST_F(Printing, DocumentsOfMoreThan999PagesKeepEveryPage) {
    const auto pageCount = [&](const std::string& file) {
        folder.write("geprueft.pdf", pdfPrinter->printed[folder.windowsPath(file)]);
        return pdf::pageCount(folder.path("geprueft.pdf"));
    };
    struct Case {
        bool excel;
        int pages;
    };
    for (const Case c : {Case{false, 1001}, Case{true, 1001}, Case{false, 1000}}) {
        SCOPED_TRACE((c.excel ? "Excel, " : "Word, ") + std::to_string(c.pages) + " pages");
        pdfPrinter->printed.clear();
        std::string text = "Seite 1\n";
        for (int page = 2; page <= c.pages; ++page) text += "\fSeite " + std::to_string(page) + "\n";
        office::Document::State state;
        state.path = documents();
        const std::string name = "Lang" + std::to_string(c.pages);
        state.name = name + (c.excel ? ".xls" : ".doc");
        state.file = documentFile(state.name, text);
        c.excel ? void(excel->open(state)) : void(word->open(state));
        answers({"choice 0"});
        run(c.excel ? static_cast<office::Application&>(*excel) : *word);
        const std::string base = "Dokumente/" + name + (c.excel ? "_Tabelle1" : "");
        EXPECT_EQ(pageCount(base + "_$1.pdf"), 1);
        EXPECT_EQ(pageCount(base + "_$2.pdf"), c.pages - 1);
    }
}

TEST_F(Printing, WordPrintsThroughItsActivePrinterAndTheDefaultComesBack) {
    wordDocument();
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(word->activePrinterWrites(), (std::vector<std::string>{"PDFCreator"}));
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
    EXPECT_EQ(pdfPrinter->options["AutosaveDirectory"], documents() + "\\");
    EXPECT_EQ(pdfPrinter->saved,
              (std::vector<std::string>{documents() + "\\Angebot_$1.pdf", documents() + "\\Angebot_$2.pdf"}));
    EXPECT_EQ(pdfPrinter->closed, 1);
    // The note of the default printer lives only while the PDF printer is the default.
    EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.drucker")));
}

// A host killed while it printed left the PDF printer as the default, and
// its note of the user's printer: the next run puts that printer back first,
// instead of taking the PDF printer for the user's default.
TEST_F(Printing, TheDefaultPrinterThatADeadRunNotedIsPutBackFirst) {
    folder.write("AddIn/pdf-Kalmora.drucker",
                 noteKind + deadOwner() + "Vorher=Drucker\nStandarddrucker=" + officePrinter + "\n");
    printers::setDefaultPrinter("PDFCreator");
    wordDocument();
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
    EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.drucker")));
}

// The name comes back byte for byte from the note that a run keeps while it
// prints, whatever it holds.
TEST_F(Printing, EveryPrinterNameComesBackFromTheNote) {
    for (const std::string name :
         {"Chef's Laser", "Drucker Dvořák", "\\\\server\\Łódź", "Etage=2 100%ig", "  Blanks  ", "Şahin ığ"}) {
        SCOPED_TRACE(name);
        printers::install(name);
        printers::setDefaultPrinter(name);
        // The host is killed while it prints: what it leaves is its note.
        std::string note;
        pdfPrinter->whenStarted = [&] { note = folder.read("AddIn/pdf-Kalmora.drucker"); };
        clearDocuments();
        wordDocument();
        answers({"choice 1"});
        run(*word);
        ASSERT_FALSE(note.empty());
        folder.write("AddIn/pdf-Kalmora.drucker", note);
        printers::setDefaultPrinter("PDFCreator");
        clearDocuments();
        wordDocument();
        answers({"choice 1"});
        run(*word);
        EXPECT_EQ(printers::defaultPrinter(), name);
        EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.drucker")));
    }
}

// A machine without a default printer has none after an export, also when a
// dead run's note says so.
TEST_F(Printing, NoDefaultPrinterBeforeMeansNoneAfter) {
    printers::uninstall(officePrinter);
    for (const bool deadRun : {false, true}) {
        SCOPED_TRACE(deadRun ? "a dead run recovered" : "a run");
        if (deadRun) {
            folder.write("AddIn/pdf-Kalmora.drucker", noteKind + deadOwner() + "Vorher=keiner\n");
            printers::setDefaultPrinter("PDFCreator");
        }
        pdfPrinter->defaultPrinterWrites.clear();
        clearDocuments();
        wordDocument();
        answers({"choice 0"});
        run(*word);
        EXPECT_EQ(record().back(), "open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf")));
        EXPECT_EQ(pdfPrinter->defaultPrinterWrites, std::vector<std::string>{"PDFCreator"});
        EXPECT_EQ(printers::defaultPrinter(), std::nullopt);
        EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.drucker")));
    }
}

// A dead run's note that names a printer removed since, or that cannot be
// read: the PDF printer does not stay the default, and the user hears of it
// once per host start.
TEST_F(Printing, ANoteOfARemovedPrinterOrADamagedNoteLeavesNoPdfPrinterAsTheDefault) {
    struct Case {
        const char* what;
        std::string note;
        std::string told;
        std::set<std::string> left;  // in the add-in folder, besides its usual files
    };
    const Case cases[] = {
        {"a removed printer",
         noteKind + deadOwner() + "Vorher=Drucker\nStandarddrucker=Alter Laser\n",
         "Der Standarddrucker \"Alter Laser\" ist nicht mehr eingerichtet. Es ist nun kein Standarddrucker "
         "festgelegt.",
         {}},
        {"a damaged note",
         "[Global]\r\nStandarddrucker=B\xFCro-Laser\r\n",
         "Die Notiz zum Standarddrucker " + noteFile() + " ist beschädigt. Sie wurde nicht verwendet und als " +
             noteFile() + ".defekt beiseitegelegt.",
         {"pdf-Kalmora.drucker.defekt"}},
        {"a note of no kind we know",
         noteKind + deadOwner() + "Vorher=vielleicht\n",
         "Die Notiz zum Standarddrucker " + noteFile() + " ist beschädigt. Sie wurde nicht verwendet und als " +
             noteFile() + ".defekt beiseitegelegt.",
         {"pdf-Kalmora.drucker.defekt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        INI_Datei::ResetState();  // a host started anew
        fs::remove(folder.path("AddIn/pdf-Kalmora.drucker.defekt"));
        for (const bool again : {false, true}) {
            folder.write("AddIn/pdf-Kalmora.drucker", c.note);
            printers::setDefaultPrinter("PDFCreator");
            script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok"});
            runtime::setBackend(script);
            clearDocuments();
            wordDocument();
            run(*word);
            std::vector<std::string> expected = {shown::choice + " -> 0"};
            if (!again) expected.push_back(told(c.told));
            expected.push_back("open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf")));
            EXPECT_EQ(record(), expected);
            EXPECT_EQ(printers::defaultPrinter(), std::nullopt);
            std::set<std::string> left = {"pdf-Kalmora.ini", "pdftk.exe"};
            left.insert(c.left.begin(), c.left.end());
            EXPECT_EQ(folder.names("AddIn"), left);
            if (!c.left.empty()) {
                EXPECT_EQ(folder.read("AddIn/pdf-Kalmora.drucker.defekt"), c.note);
            }
        }
    }
}

// Another machine that shares the add-in folder prints right now: its note
// stays as it is, and this run keeps the default printer as it is.
TEST_F(Printing, ANoteOfAnotherMachinesRunIsLeftAlone) {
    const std::string note = noteKind +
                             "Rechner=anderer-rechner\nSystemstart=1\nProzess=4711\nProzessstart=99\n"
                             "Vorher=Drucker\nStandarddrucker=Laser im Flur\n";
    folder.write("AddIn/pdf-Kalmora.drucker", note);
    wordDocument();
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0",
                                                  "open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf"))}));
    EXPECT_EQ(folder.read("AddIn/pdf-Kalmora.drucker"), note);
    EXPECT_TRUE(pdfPrinter->defaultPrinterWrites.empty());
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
}

// Without its note a run that dies would leave the PDF printer as the
// default for good: the run keeps the default printer as it is, the user
// hears why once per host start, and the jobs still reach the PDF printer.
TEST_F(Printing, ANoteThatCannotBeWrittenKeepsTheDefaultPrinter) {
    const SmallDisk disk(folder.path("AddIn"));
    if (!disk.mounted()) GTEST_SKIP() << "no small file system can be mounted here: " << disk.error();
    fs::create_symlink(PDFTK_LAUNCHER, folder.path("AddIn/pdftk.exe"));
    settings("");
    disk.leave(0);
    for (const bool inExcel : {false, true}) {
        for (const bool again : {false, true}) {
            SCOPED_TRACE(std::string(inExcel ? "Excel" : "Word") + (again ? ", again" : ""));
            pdfPrinter->defaultPrinterWrites.clear();
            script = std::make_shared<runtime::ScriptBackend>(
                std::vector<std::string>{"choice 1", "msgbox ok", "msgbox ok"});
            runtime::setBackend(script);
            clearDocuments();
            inExcel ? void(workbook()) : void(wordDocument());
            run(inExcel ? static_cast<office::Application&>(*excel) : *word);
            std::vector<std::string> expected = {shown::choice + " -> 1"};
            // The run's journal on the same disk cannot be written either.
            if (!inExcel && !again)
                expected.push_back(told("Das Laufprotokoll " + addIn() +
                                        "\\pdf-Kalmora.lauf lässt sich nicht schreiben: Auf dem Datenträger ist "
                                        "nicht genügend Speicherplatz verfügbar.\r\nDer Export läuft ohne "
                                        "Protokoll: bricht er ab, räumt der nächste Export seine Dateien nicht auf."));
            if (!inExcel && !again)
                expected.push_back(told("Die Notiz zum Standarddrucker " + noteFile() +
                                        " lässt sich nicht schreiben. Der Standarddrucker bleibt deshalb beim "
                                        "PDF-Ausdruck unverändert.\r\nAuf dem Datenträger ist nicht genügend "
                                        "Speicherplatz verfügbar."));
            const std::string result = inExcel ? "Dokumente/Mappe_Tabelle1.pdf" : "Dokumente/Angebot.pdf";
            expected.push_back("open " + runtime::quoted(folder.path(result)));
            EXPECT_EQ(record(), expected);
            EXPECT_EQ(pdf::pageCount(folder.path(result)), 3);
            EXPECT_TRUE(pdfPrinter->defaultPrinterWrites.empty());
            EXPECT_EQ(printers::defaultPrinter(), officePrinter);
        }
    }
}

// The PDF printer's jobs fill the world's disk while it is the default: the
// user's default printer still comes back, however far the run got.
TEST_F(Printing, AFullWorldDiskGivesTheUsersDefaultPrinterBack) {
    const SmallDisk disk(folder.path("Kleine Welt"));
    if (!disk.mounted()) GTEST_SKIP() << "no small file system can be mounted here: " << disk.error();
    ::setenv("KALMORA_WORLD", folder.path("Kleine Welt").c_str(), 1);
    printers::install(officePrinter);
    printers::install("PDFCreator");
    printers::setDefaultPrinter(officePrinter);
    for (const int pages : {0, 1, 2, 3, 4, 6, 8}) {
        SCOPED_TRACE(std::to_string(pages) + " pages free");
        clearDocuments();
        disk.leave(static_cast<std::uintmax_t>(pages) * 4096);
        pdfPrinter->defaultPrinterWrites.clear();
        script = std::make_shared<runtime::ScriptBackend>(
            std::vector<std::string>{"choice 1", "msgbox ok", "msgbox ok", "msgbox ok"});
        runtime::setBackend(script);
        wordDocument();
        run(*word);
        EXPECT_EQ(printers::defaultPrinter(), officePrinter);
        EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.drucker")));
    }
}

TEST_F(Printing, ExcelsPrinterIsPutBackAfterSuccessButNotAfterAFailure) {
    workbook();
    answers({"choice 1"});
    run(*excel);
    EXPECT_EQ(excel->activePrinter(), officePrinter);
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);

    pdfPrinter->closeFails = true;
    answers({"choice 1", "dialog overwrite", "msgbox ok"});
    folder.write("Dokumente/Mappe_Tabelle1.pdf", "alt");
    run(*excel);
    EXPECT_EQ(
        record().back(),
        shown::abort("Der PDF-Drucker \"PDFCreator\" meldet einen Fehler: Das Objekt wurde von den Clients getrennt."));
    EXPECT_EQ(excel->activePrinter(), "PDFCreator");
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
}

TEST_F(Printing, APrintThatFailsGivesTheAbortMessageOnceAndEndsThePdfPrinter) {
    const std::string document = folder.path("Quellen/Angebot.docx");
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string reason;
        int started, closed;
    };
    const Case cases[] = {
        {"the printer not set up", [] { printers::uninstall("PDFCreator"); },
         "Der PDF-Drucker \"PDFCreator\" ist nicht eingerichtet.", 0, 0},
        {"its class not registered", [] { com::unregisterLocalClass("PDFCreator.clsPDFCreator"); },
         "Der PDF-Drucker \"PDFCreator\" lässt sich nicht starten: Objekterstellung durch ActiveX-Komponente nicht "
         "möglich",
         0, 0},
        // It is ended and started once more.
        {"the printer does not start", [&] { pdfPrinter->startSucceeds = false; },
         "Der PDF-Drucker \"PDFCreator\" lässt sich nicht starten.", 2, 0},
        {"the document deleted while printing", [&] { pdfPrinter->whenStarted = [&] { fs::remove(document); }; },
         "Das Dokument \"" + documents() + "\\Angebot.docx\" lässt sich nicht drucken: Befehl misslungen", 1, 1},
        // Named as it was at the press.
        {"the document's window closed while printing",
         [&] {
             pdfPrinter->whenStarted = [&] {
                 while (const office::Document* open = word->documents().active()) word->documents().remove(*open);
             };
         },
         "Das Dokument \"Angebot.docx\" lässt sich nicht drucken: Dieser Befehl ist nicht verfügbar, weil kein "
         "Dokument geöffnet ist.",
         1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pdfPrinter = com::AutomationObject::create<FakePdfPrinter>();
        printers::install("PDFCreator");
        com::registerLocalClass("PDFCreator.clsPDFCreator",
                                [this] { return com::Object(com::Ref<com::IDispatch>(pdfPrinter.get())); });
        wordDocument();
        c.arrange();
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0", "msgbox ok"});
        runtime::setBackend(script);
        run(*word);
        EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0", shown::abort(c.reason)}));
        EXPECT_EQ(pdfPrinter->started, c.started);
        EXPECT_EQ(pdfPrinter->closed, c.closed);
        EXPECT_EQ(printers::defaultPrinter(), officePrinter);
        // Nothing of the run is left: no part, no journal, no printer note.
        EXPECT_FALSE(fs::exists(folder.path("Dokumente/Angebot_$1.pdf")));
        EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.lauf")));
        EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.drucker")));
    }
}

TEST_F(Printing, APrinterThatReportsNothingIsWaitedForFortyTimesThenReported) {
    wordDocument();
    pdfPrinter->savesJobs = false;
    answers({"choice 1", "msgbox ok", "msgbox ok"});
    run(*word);
    // 41 looks during the wait (40 pauses between them), one more afterwards;
    // and all of it once more after the printer was ended and started anew.
    EXPECT_EQ(pdfPrinter->outputReads, 2 * 42);
    EXPECT_EQ(pdfPrinter->started, 2);
    EXPECT_EQ(record(), (std::vector<std::string>{
                            shown::choice + " -> 1",
                            shown::box(16, shown::title, "Beim Speichern als pdf ist ein Fehler aufgetreten!", 1),
                            shown::abort("Der PDF-Drucker \"PDFCreator\" antwortet nicht: auch neu gestartet hat "
                                         "er " +
                                         documents() + "\\Angebot_$1.pdf nicht geschrieben.")}));
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
}

// A printer that works but cannot write the file (a name the folder cannot
// hold, a file system that refuses it) says why: the run is not held up
// waiting for it, nor is it started anew.
TEST_F(Printing, APrinterThatCannotWriteAFileSaysWhyAndIsNotWaitedFor) {
    wordDocument();
    const std::string why = "Die Datei " + documents() +
                            "\\Angebot_$1.pdf lässt sich nicht schreiben: Der Dateiname oder der Pfad ist zu lang.";
    pdfPrinter->failure = why;
    answers({"choice 1", "msgbox ok", "msgbox ok"});
    run(*word);
    EXPECT_EQ(pdfPrinter->outputReads, 2);
    EXPECT_EQ(pdfPrinter->started, 1);
    EXPECT_EQ(pdfPrinter->closed, 1);
    EXPECT_EQ(record(),
              (std::vector<std::string>{
                  shown::choice + " -> 1",
                  shown::box(16, shown::title, "Beim Speichern als pdf ist ein Fehler aufgetreten!\r\n" + why, 1),
                  shown::abort(why)}));
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
}

TEST_F(Printing, AOnePageDocumentInTheFirstLayoutPrintsOneJobAndWaitsForNoFollowingPages) {
    office::Document::State state;
    state.path = documents();
    state.name = "Brief.doc";
    state.file = documentFile("Brief.doc", "Nur eine Seite\n");
    word->open(state);
    answers({"choice 0"});
    run(*word);
    // The first page is reported at once; no second job is printed or waited for.
    EXPECT_EQ(pdfPrinter->outputReads, 1 + 1);
    EXPECT_EQ(pages("Dokumente/Brief_$1.pdf"), (std::vector<std::string>{"Nur eine Seite"}));
    EXPECT_EQ(pages("Dokumente/Brief_$2.pdf"), (std::vector<std::string>{}));
    EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0",
                                                  "open " + runtime::quoted(folder.path("Dokumente/Brief.pdf"))}));
}

TEST_F(Printing, TheDefaultPrinterSwitchFindsPrintersByTheirExactName) {
    const std::string network = "\\\\druckserver\\Etage 2";
    printers::install(network);
    printers::install("Dru'cker");
    struct Case {
        std::string name;
        com::Boolean result;
        std::string defaultAfter;
    };
    const Case cases[] = {
        {network, com::True, network},
        {"büro-laser", com::True, officePrinter},  // the names compare without regard to case
        {"Dru'cker", com::True, "Dru'cker"},       // an apostrophe inside the name
        {"", com::True, officePrinter},            // nothing matches, nothing changes
        {"Gibt es nicht", com::True, officePrinter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printers::setDefaultPrinter(c.name == network ? officePrinter : network);
        if (c.name != network) printers::setDefaultPrinter(officePrinter);
        EXPECT_EQ(::Printing::fSet_DefaultPrinter(c.name), c.result);
        EXPECT_EQ(printers::defaultPrinter(), c.defaultAfter);
    }
}

}  // namespace
