// The office renderer with a real headless office: the pages of real Word and
// Excel documents as they print, and the files it refuses, with the texts a
// host shows. Documents and profile lie in a folder whose name a URL carries
// only escaped (blank, umlaut, "%", "#").
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/office/render/OfficeRenderer.h"
#include "tests/support/PdfText.h"
#include "tests/support/Processes.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using office::OfficeDocumentKind;

const std::string kFolder = "Ablage 100% #2 für Müller";

class OfficeRendererTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::optional<office::OfficeRenderer> renderer;

    void SetUp() override {
        fs::create_directories(folder.path(kFolder));
        for (const char* file : {"Angebot.docx", "Preisliste.xlsx"})
            fs::copy_file(fs::path(EXAMPLES_FOLDER) / file, document(file));
        for (const char* file : {"Angebot.doc", "Preisliste.xls", "Kennwort.doc", "Leer.xlsx"})
            fs::copy_file(fs::path(OFFICE_DOCUMENTS) / file, document(file));
        renderer.emplace(folder.path(kFolder + "/Profile"));
    }
    void TearDown() override {
        renderer.reset();
        // The office has ended with its renderer.
        EXPECT_EQ(processesNaming(folder.path()), std::vector<std::string>{});
    }

    std::string document(const std::string& name) const { return folder.path(kFolder + "/" + name); }
};

TEST_F(OfficeRendererTest, ATextPrintsAllItsPagesAWorkbookOneSheet) {
    const std::vector<std::string> prices = {"Übersicht", "Preise"};
    struct Case {
        std::string file;
        OfficeDocumentKind kind;
        std::string sheet;
        std::vector<std::string> sheets;
        std::string laidOutSheet;
        int pages;
    };
    const Case cases[] = {
        {"Angebot.docx", OfficeDocumentKind::Text, "", {}, "", 3},
        {"Angebot.doc", OfficeDocumentKind::Text, "", {}, "", 3},
        // Without a name the sheet the workbook stores as active, not its first.
        {"Preisliste.xlsx", OfficeDocumentKind::Spreadsheet, "", prices, "Preise", 3},
        {"Preisliste.xlsx", OfficeDocumentKind::Spreadsheet, "Übersicht", prices, "Übersicht", 1},
        {"Preisliste.xls", OfficeDocumentKind::Spreadsheet, "", prices, "Übersicht", 1},
        // An empty sheet prints no page, as in Excel.
        {"Leer.xlsx", OfficeDocumentKind::Spreadsheet, "", {"Leer", "Daten"}, "Leer", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " " + c.sheet);
        const office::LaidOutDocument laidOut = renderer->layOut(document(c.file), c.kind, c.sheet);
        EXPECT_EQ(laidOut.sheets, c.sheets);
        EXPECT_EQ(laidOut.sheet, c.laidOutSheet);
        folder.write("Seiten.pdf", laidOut.pdf);
        EXPECT_EQ(pdf::pageCount(folder.path("Seiten.pdf")), c.pages);
    }
}

TEST_F(OfficeRendererTest, AFileItCannotLayOutIsRefusedNamingTheFileAndWhy) {
    const std::string offer = folder.read(kFolder + "/Angebot.docx");
    folder.write(kFolder + "/Halb.docx", offer.substr(0, offer.size() / 2));
    folder.write(kFolder + "/Notiz.docx", "Nur eine Notiz, kein Dokument.\n");
    struct Case {
        std::string file;
        OfficeDocumentKind kind;
        std::string sheet, reason;
    };
    const Case cases[] = {
        {"Kennwort.doc", OfficeDocumentKind::Text, "", "Das Dokument ist mit einem Kennwort geschützt."},
        {"Halb.docx", OfficeDocumentKind::Text, "", "Die Datei ist beschädigt oder kein Office-Dokument."},
        {"Notiz.docx", OfficeDocumentKind::Text, "", "Die Datei ist beschädigt oder kein Office-Dokument."},
        {"Fehlt.docx", OfficeDocumentKind::Text, "", "Die Datei gibt es nicht."},
        {"Preisliste.xlsx", OfficeDocumentKind::Text, "", "Die Datei ist kein Word-Dokument."},
        {"Angebot.docx", OfficeDocumentKind::Spreadsheet, "", "Die Datei ist keine Excel-Arbeitsmappe."},
        {"Preisliste.xlsx", OfficeDocumentKind::Spreadsheet, "Umsatz",
         "Die Arbeitsmappe hat kein Blatt \"Umsatz\"; ihre Blätter: Übersicht, Preise."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " " + c.sheet);
        try {
            renderer->layOut(document(c.file), c.kind, c.sheet);
            ADD_FAILURE() << "laid out";
        } catch (const office::DocumentRefused& refused) {
            EXPECT_EQ(refused.what(), "\"" + document(c.file) + "\" lässt sich nicht öffnen: " + c.reason);
        }
    }
}

}  // namespace
