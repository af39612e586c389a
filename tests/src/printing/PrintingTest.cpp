// Printing the host's document to PDF: the files and pages each layout gives,
// the printers put back, and what the user is told when printing fails.
#include <filesystem>
#include <functional>

#include "platform/printers/PrintSystem.h"
#include "src/printing/Printing.h"
#include "tests/src/export/ExportFixture.h"
#include "tests/support/PdfText.h"

namespace {

namespace fs = std::filesystem;

class Printing : public ExportFixture {
protected:
    // The pages of a file as the PDF printer wrote it (the run's cleanup
    // removes it afterwards); none when it wrote no such file.
    std::vector<std::string> pages(const std::string& file) {
        const std::string reported = folder.windowsPath(file);
        if (!pdfPrinter->printed.count(reported)) return {};
        folder.write("geprueft.pdf", pdfPrinter->printed[reported]);
        std::vector<std::string> texts;
        const std::string path = folder.path("geprueft.pdf");
        for (int page = 1; page <= pdf::pageCount(path); ++page) texts.push_back(pdf::pageText(path, page));
        return texts;
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
    folder.write("AddIn/pdf-Kalmora.drucker", "[Global]\r\nStandarddrucker=B\xFCro-Laser\r\n");
    printers::setDefaultPrinter("PDFCreator");
    wordDocument();
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
    EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.drucker")));
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
        EXPECT_FALSE(fs::exists(folder.path("Dokumente/Angebot_$1.pdf")));
    }
}

// With no default printer there is none to put back: the PDF printer stays the default.
TEST_F(Printing, WithoutAnyDefaultPrinterTheExportWorks) {
    printers::uninstall(officePrinter);
    wordDocument();
    answers({"choice 0"});
    run(*word);
    EXPECT_EQ(record().back(), "open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf")));
    EXPECT_EQ(printers::defaultPrinter(), "PDFCreator");
    EXPECT_FALSE(fs::exists(folder.path("AddIn/pdf-Kalmora.drucker")));
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
    EXPECT_EQ(
        record(),
        (std::vector<std::string>{
            shown::choice + " -> 1",
            shown::box(16, shown::title, "Beim Speichern als pdf ist ein Fehler aufgetreten!", 1),
            shown::abort("Es wurde keine PDF-Datei erzeugt: " + documents() + "\\Angebot.pdf\r\nDer PDF-Drucker hat " +
                         documents() + "\\Angebot_$1.pdf nicht geschrieben.")}));
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
