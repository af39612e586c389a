// The office renderer with a real headless office: the pages of real Word and
// Excel documents as they print, and the files it refuses, with the texts a
// host shows. Documents and profile lie in a folder whose name a URL carries
// only escaped (blank, umlaut, "%", "#").
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/office/render/OfficeRenderer.h"
#include "tests/support/PdfText.h"
#include "tests/support/Processes.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ZipBomb.h"

namespace {

using office::OfficeDocumentKind;

const std::string kFolder = "Ablage 100% #2 für Müller";

struct Case {
    std::string file;
    OfficeDocumentKind kind;
    std::string sheet, seen;
};

class OfficeRendererTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::optional<office::OfficeRenderer> renderer;

    // The user's temporary folder, which the office leaves as it was.
    std::optional<ScopedVariable> temp;

    void SetUp() override {
        std::filesystem::create_directories(folder.path(kFolder));
        std::filesystem::create_directories(folder.path("Temp"));
        temp.emplace("TMPDIR", folder.path("Temp"));
        for (const char* file :
             {EXAMPLES_FOLDER "/Angebot.docx", EXAMPLES_FOLDER "/Preisliste.xlsx", OFFICE_DOCUMENTS "/Kennwort.doc",
              OFFICE_DOCUMENTS "/Kennwort.docx", OFFICE_DOCUMENTS "/Preisliste.xls", OFFICE_DOCUMENTS "/Leer.xlsx"})
            std::filesystem::copy(file, folder.path(kFolder));
        renderer.emplace(folder.path(kFolder + "/Profile"));
    }
    void TearDown() override {
        renderer.reset();
        // The office has ended with its renderer, and left no temporary files.
        EXPECT_EQ(processesNaming(folder.path()), std::vector<std::string>{});
        EXPECT_EQ(folder.names("Temp"), std::set<std::string>{});
        EXPECT_FALSE(std::filesystem::exists(folder.path(kFolder + "/Profile/1/tmp")));
    }

    std::string document(const std::string& name) const { return folder.path(kFolder + "/" + name); }

    // What a host learns of a document: the workbook's sheets, the sheet laid
    // out and the page count; or why it is refused.
    std::string seen(const Case& c) {
        try {
            const office::LaidOutDocument laidOut = renderer->layOut(document(c.file), c.kind, c.sheet);
            folder.write("Seiten.pdf", laidOut.pdf);
            std::string sheets;
            for (const std::string& sheet : laidOut.sheets) sheets += sheet + " ";
            return sheets + "[" + laidOut.sheet + "] " + std::to_string(pdf::pageCount(folder.path("Seiten.pdf")));
        } catch (const office::DocumentRefused& refused) {
            return refused.what();
        }
    }
};

TEST_F(OfficeRendererTest, ATextPrintsAllItsPagesAWorkbookOneSheet) {
    const Case cases[] = {
        {"Angebot.docx", OfficeDocumentKind::Text, "", "[] 3"},
        // Without a name the sheet the workbook stores as active, not its first.
        {"Preisliste.xlsx", OfficeDocumentKind::Spreadsheet, "", "Übersicht Preise [Preise] 3"},
        {"Preisliste.xlsx", OfficeDocumentKind::Spreadsheet, "Übersicht", "Übersicht Preise [Übersicht] 1"},
        {"Preisliste.xls", OfficeDocumentKind::Spreadsheet, "", "Übersicht Preise [Übersicht] 1"},
        // An empty sheet prints no page, as in Excel.
        {"Leer.xlsx", OfficeDocumentKind::Spreadsheet, "", "Leer Daten [Leer] 0"},
    };
    for (const Case& c : cases) EXPECT_EQ(seen(c), c.seen) << c.file << " " << c.sheet;
}

TEST_F(OfficeRendererTest, AFileItCannotLayOutIsRefusedNamingTheFileAndWhy) {
    const std::string offer = folder.read(kFolder + "/Angebot.docx");
    folder.write(kFolder + "/Halb.docx", offer.substr(0, offer.size() / 2));
    folder.write(kFolder + "/Notiz.docx", "Nur eine Notiz, kein Dokument.\n");
    std::filesystem::create_directory(document("Briefe.docx"));
    ASSERT_EQ(::mkfifo(document("Pipe.docx").c_str(), 0600), 0);
    const Case cases[] = {
        {"Kennwort.doc", OfficeDocumentKind::Text, "", "Das Dokument ist mit einem Kennwort geschützt."},
        {"Kennwort.docx", OfficeDocumentKind::Text, "", "Das Dokument ist mit einem Kennwort geschützt."},
        {"Halb.docx", OfficeDocumentKind::Text, "", "Die Datei ist beschädigt oder kein Office-Dokument."},
        {"Notiz.docx", OfficeDocumentKind::Text, "", "Die Datei ist beschädigt oder kein Office-Dokument."},
        {"Fehlt.docx", OfficeDocumentKind::Text, "", "Die Datei gibt es nicht."},
        {"Briefe.docx", OfficeDocumentKind::Text, "", "Der Pfad ist ein Ordner."},
        // Nobody writes into the pipe: it is never opened.
        {"Pipe.docx", OfficeDocumentKind::Text, "", "Der Pfad ist keine gewöhnliche Datei, sondern eine Pipe."},
        {"Preisliste.xlsx", OfficeDocumentKind::Text, "", "Die Datei ist kein Word-Dokument."},
        {"Angebot.docx", OfficeDocumentKind::Spreadsheet, "", "Die Datei ist keine Excel-Arbeitsmappe."},
        {"Preisliste.xlsx", OfficeDocumentKind::Spreadsheet, "Umsatz",
         "Die Arbeitsmappe hat kein Blatt \"Umsatz\"; ihre Blätter: Übersicht, Preise."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(seen(c), "\"" + document(c.file) + "\" lässt sich nicht öffnen: " + c.seen)
            << c.file << " " << c.sheet;
}

TEST_F(OfficeRendererTest, ADocumentBeyondTheOfficesLimitsIsRefusedAndTheNextGetsANewOffice) {
    writeZipBomb(document("Riesig.ods"));
    struct Limit {
        const char* variable;
        const char* value;
        std::string seen;
    };
    const Limit limits[] = {
        {"KALMORA_OFFICE_SECONDS", "5", "Das Office-Programm hat es nicht in 5 Sekunden geöffnet und gesetzt."},
        {"KALMORA_OFFICE_MEMORY", "1500", "Das Office-Programm bräuchte dafür mehr als 1500 MB Speicher."},
    };
    for (const Limit& limit : limits) {
        const ScopedVariable set(limit.variable, limit.value);
        renderer.emplace(folder.path(kFolder + "/Profile"));
        EXPECT_EQ(
            seen({"Riesig.ods", OfficeDocumentKind::Spreadsheet, "", ""}),
            "\"" + document("Riesig.ods") + "\" lässt sich nicht öffnen: Das Dokument ist zu groß: " + limit.seen);
        EXPECT_EQ(seen({"Angebot.docx", OfficeDocumentKind::Text, "", ""}), "[] 3") << limit.variable;
    }
}

// A limit below what the office needs to start is named as the limit, and
// the profile it could not start on is kept: nothing was wrong with it.
TEST_F(OfficeRendererTest, AnOfficeThatCannotStartWithinItsMemoryIsNamedAndItsProfileKept) {
    renderer.reset();
    folder.write(kFolder + "/Profile/1/user/Notiz", "vom Benutzer");
    {
        const ScopedVariable set("KALMORA_OFFICE_MEMORY", "200");
        try {
            renderer.emplace(folder.path(kFolder + "/Profile"));
            ADD_FAILURE() << "the office started with 200 MB";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Das Office-Programm startet nicht: Es bräuchte dafür mehr als 200 MB Speicher.");
        }
    }
    EXPECT_EQ(folder.read(kFolder + "/Profile/1/user/Notiz"), "vom Benutzer");
    renderer.emplace(folder.path(kFolder + "/Profile"));
}

// A profile that refuses new files is left as it is: the office, which
// keeps its temporary files in its profile, gets another one.
TEST_F(OfficeRendererTest, AProfileThatRefusesNewFilesIsLeftAndAnotherOneUsed) {
    renderer.reset();
    const std::string profile = folder.path(kFolder + "/Profile/1");
    std::filesystem::remove_all(profile + "/tmp");
    if (!pdf::run("chattr +i " + pdf::quoted(profile) + " 2>&1").empty())
        GTEST_SKIP() << "the file system cannot make a folder unchangeable";
    EXPECT_NO_THROW(renderer.emplace(folder.path(kFolder + "/Profile")));
    if (renderer) {
        EXPECT_EQ(seen({"Angebot.docx", OfficeDocumentKind::Text, "", ""}), "[] 3");
    }
    renderer.reset();
    pdf::run("chattr -i " + pdf::quoted(profile));
    EXPECT_EQ(folder.names(kFolder + "/Profile/1"), std::set<std::string>{"user"});
}

TEST_F(OfficeRendererTest, ADamagedProfileIsSetUpAnew) {
    const std::string profiles = kFolder + "/Profile";
    const std::vector<std::function<void()>> damages = {
        // A file where the profile's folder belongs.
        [&] {
            std::filesystem::remove_all(folder.path(profiles + "/1"));
            folder.write(profiles + "/1", "kein Ordner");
        },
        // A file where the office keeps its settings.
        [&] {
            std::filesystem::remove_all(folder.path(profiles + "/1/user"));
            folder.write(profiles + "/1/user", "kein Ordner");
        },
        // Folders where the locks belong.
        [&] {
            std::filesystem::remove(folder.path(profiles + "/1.lock"));
            std::filesystem::create_directories(folder.path(profiles + "/1.lock/alt"));
            std::filesystem::create_directories(folder.path(profiles + "/1/.lock/alt"));
        },
    };
    for (std::size_t i = 0; i < damages.size(); ++i) {
        renderer.reset();
        damages[i]();
        renderer.emplace(folder.path(profiles));
        EXPECT_EQ(seen({"Angebot.docx", OfficeDocumentKind::Text, "", ""}), "[] 3") << "damage " << i;
    }
}

}  // namespace
