// The export command from its entry to the letterhead choice and the end of
// the run, as the user sees it: the message boxes, the windows and the files.
#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "src/addin/SettingsPage.h"
#include "tests/src/export/ExportFixture.h"
#include "tests/support/LockHolder.h"
#include "tests/support/ScopedVariable.h"

namespace {

namespace fs = std::filesystem;
using shown::abort;
using shown::box;

class ExportCommand : public ExportFixture {};

TEST_F(ExportCommand, AMissingLetterheadIsNamedWithTheSettingsFile) {
    struct Case {
        const char* name;
        std::optional<std::string> settingsFile;  // none: no settings file
        std::string missing;
        std::string why;  // the line after the message, for a letterhead without a path
    };
    const std::string erste = letterheads() + "\\erste.pdf";
    const std::string ini = addIn() + "\\pdf-Kalmora.ini";
    std::string garbage(512, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919 + 13) % 256);
    const Case cases[] = {
        // Both missing: only the following-pages letterhead is named.
        {"both missing", "[Global]\r\n", "",
         "In " + ini + " fehlt der Eintrag ZweiteSeite im Abschnitt [Global], oder er ist leer."},
        {"following pages missing",
         "[Global]\r\nErsteSeite=" + erste + "\r\nZweiteSeite=" + letterheads() + "\\fehlt.pdf\r\n",
         letterheads() + "\\fehlt.pdf", ""},
        {"first page missing",
         "[Global]\r\nErsteSeite=" + letterheads() +
             "\\Br\xFC"
             "ckner.pdf\r\nZweiteSeite=" +
             erste + "\r\n",
         letterheads() + "\\Brückner.pdf", ""},
        {"random bytes", garbage, "",
         "Die Einstellungsdatei " + ini +
             " enthält keinen Abschnitt [Global]; sie lässt sich nicht als Einstellungen lesen."},
        {"no settings file", std::nullopt, "", "Die Einstellungsdatei " + ini + " fehlt."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"msgbox ok"});
        runtime::setBackend(script);
        fs::remove(folder.path("AddIn/pdf-Kalmora.ini"));
        if (c.settingsFile) folder.write("AddIn/pdf-Kalmora.ini", *c.settingsFile);
        wordDocument();
        run(*word);
        EXPECT_EQ(record(), (std::vector<std::string>{box(0, "PDF_Kalmora",
                                                          "Datei " + c.missing + " nicht gefunden bitte \r\n" + ini +
                                                              "\r\n anpassen" + (c.why.empty() ? "" : "\r\n" + c.why),
                                                          1)}));
    }
}

// The letterhead PDF `plain` encrypted: with AES-256 (R6) or AES-128 (R4),
// the user password empty or not.
std::string encrypted(const std::string& plain, const char* userPassword, bool aes256) {
    QPDF pdf;
    pdf.processMemoryFile("Kopfbogen", plain.data(), plain.size());
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    if (aes256)
        writer.setR6EncryptionParameters(userPassword, "Eigentuemer", true, true, true, true, true, true, qpdf_r3p_full,
                                         true);
    else
        writer.setR4EncryptionParametersInsecure(userPassword, "Eigentuemer", true, true, true, true, true, true,
                                                 qpdf_r3p_full, true, true);
    writer.write();
    const auto buffer = writer.getBufferSharedPointer();
    return {reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize()};
}

TEST_F(ExportCommand, ALetterheadThatPdftkCannotReadIsNamedBeforeAnythingHappens) {
    const std::string letterhead = office::textToPdf("BRIEFKOPF");
    QPDF noPages;
    noPages.emptyPDF();
    QPDFWriter emptyWriter(noPages);
    emptyWriter.setOutputMemory();
    emptyWriter.write();
    const auto emptyBuffer = emptyWriter.getBufferSharedPointer();
    struct Case {
        const char* what;
        std::string bytes;  // none: a folder of that name
        std::string reason;
    };
    const Case cases[] = {
        {"a folder", {}, "Der Pfad ist ein Ordner, keine PDF-Datei."},
        // Reading a pipe would wait for a writer for ever.
        {"a pipe", {}, "Der Pfad ist keine gewöhnliche Datei (eine Pipe oder ein Gerät)."},
        {"larger than any letterhead", letterhead, "Die Datei ist größer als 100 MB; so groß ist kein Briefpapier."},
        {"empty", "", "Die Datei ist leer."},
        {"no PDF", "Briefkopf als Text", "Die Datei ist keine PDF-Datei."},
        {"damaged", "%PDF-1.4\n1 0 obj kaputt", "Die PDF-Datei ist beschädigt."},
        {"without pages",
         {reinterpret_cast<const char*>(emptyBuffer->getBuffer()), emptyBuffer->getSize()},
         "Die PDF-Datei hat keine Seite."},
        {"user password", encrypted(letterhead, "geheim", false), "Die PDF-Datei ist mit einem Kennwort geschützt."},
        {"AES-256, owner password only", encrypted(letterhead, "", true),
         "Die PDF-Datei ist mit AES-256 verschlüsselt; pdftk kann sie nicht lesen."},
        {"AES-128, owner password only", encrypted(letterhead, "", false), ""},
    };
    const std::string path = letterheads() + "\\Kopfbogen.pdf";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder.path("Briefpapier/Kopfbogen.pdf"));
        const std::string file = folder.path("Briefpapier/Kopfbogen.pdf");
        if (std::string(c.what) == "a folder")
            fs::create_directory(file);
        else if (std::string(c.what) == "a pipe")
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else
            folder.write("Briefpapier/Kopfbogen.pdf", c.bytes);
        if (std::string(c.what) == "larger than any letterhead") fs::resize_file(file, 100 * 1024 * 1024 + 1);
        folder.write("AddIn/pdf-Kalmora.ini",
                     "[Global]\r\nErsteSeite=" + letterheads() + "\\erste.pdf\r\nZweiteSeite=" + path + "\r\n");
        wordDocument();
        script = std::make_shared<runtime::ScriptBackend>(c.reason.empty()
                                                              ? std::vector<std::string>{"choice escape", "msgbox ok"}
                                                              : std::vector<std::string>{"msgbox ok"});
        runtime::setBackend(script);
        run(*word);
        // A letterhead pdftk reads is used as it is; the run goes on to the choice.
        EXPECT_EQ(record().front(),
                  c.reason.empty() ? shown::choice + " -> -1"
                                   : box(16, shown::title,
                                         "Der Kopfbogen " + path + " lässt sich nicht verwenden:\r\n" + c.reason, 1));
        EXPECT_EQ(folder.names("Dokumente"), std::set<std::string>{});
    }
}

TEST_F(ExportCommand, NothingToPrintEndsTheRunWithoutASaveQuestionAndSaysWhy) {
    answers({"msgbox ok", "msgbox ok"});
    run(*word);   // Word without a document
    run(*excel);  // Excel without a workbook
    office::Document::State unsaved;
    unsaved.path = documents();
    unsaved.name = "Mappe.xlsx";
    unsaved.saved = com::False;
    excel->open(unsaved, {.name = "Tabelle1", .pages = 0});
    answers({"msgbox ok"});
    run(*excel);
    const auto empty = [](const std::string& why) {
        return box(0, shown::title, "leeres Dokument - Ausdruck nicht erforderlich\r\n" + why, 1);
    };
    EXPECT_EQ(record(),
              (std::vector<std::string>{
                  empty("In Word ist kein Dokument geöffnet."), empty("In Excel ist keine Arbeitsmappe geöffnet."),
                  empty("Das Blatt Tabelle1 der Arbeitsmappe Mappe.xlsx hat keine Seite zu drucken.")}));
}

TEST_F(ExportCommand, TheSaveQuestionComesBackUntilTheDocumentIsSavedOrTheUserCancels) {
    const std::string question = box(33, shown::title, "Zur Weiterarbeit muss das Dokument gespeichert werden!", 1);
    const std::string cancelled = box(33, shown::title, "Zur Weiterarbeit muss das Dokument gespeichert werden!", 2);
    const std::string stopped = box(0, shown::title, "Verarbeitung abgebrochen", 1);
    struct Case {
        const char* name;
        office::SaveOutcome save;
        std::vector<std::string> answers;
        std::vector<std::string> record;
        std::int32_t saves;
    };
    const Case cases[] = {
        {"saved at once",
         office::SaveOutcome::Stores,
         {"msgbox ok", "choice escape", "msgbox ok"},
         {question, shown::choice + " -> -1", abort("")},
         1},
        {"save dialog cancelled twice",
         office::SaveOutcome::LeavesUnsaved,
         {"msgbox ok", "msgbox ok", "msgbox cancel", "msgbox ok"},
         {question, question, cancelled, stopped},
         2},
        {"save fails",
         office::SaveOutcome::Fails,
         {"msgbox ok", "msgbox cancel", "msgbox ok"},
         {question, cancelled, stopped},
         1},
        {"cancel at once", office::SaveOutcome::Stores, {"msgbox cancel", "msgbox ok"}, {cancelled, stopped}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        script = std::make_shared<runtime::ScriptBackend>(c.answers);
        runtime::setBackend(script);
        auto document = wordDocument();
        document->state().saved = com::False;
        document->state().saveOutcome = c.save;
        run(*word);
        EXPECT_EQ(record(), c.record);
        EXPECT_EQ(document->state().saveCalls, c.saves);
        EXPECT_FALSE(script->metUnexpected());
    }
}

TEST_F(ExportCommand, ADocumentNeverStoredIsRefusedWithoutTheSaveQuestion) {
    office::Document::State state;
    state.name = "Dokument1";
    word->open(state);
    answers({"msgbox ok"});
    run(*word);
    EXPECT_EQ(record(), (std::vector<std::string>{box(16, shown::title, "Das Dokument hat keine Inhalt", 1)}));
}

TEST_F(ExportCommand, NoChoiceEndsWithTheAbortMessageAndAnEmptyLastLine) {
    for (const char* answer : {"choice escape", "choice close"}) {
        SCOPED_TRACE(answer);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{answer, "msgbox ok"});
        runtime::setBackend(script);
        wordDocument();
        run(*word);
        EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> -1", abort("")}));
    }
}

TEST_F(ExportCommand, DocumentsOfOtherNamesAreExportedUnderTheNameBeforeTheirExtension) {
    struct Case {
        bool excel;
        std::string name;
        std::string result;
    };
    const Case cases[] = {
        {false, "Brief.rtf", "Brief.pdf"},     {false, "Brief.odt", "Brief.pdf"},
        {false, "BRIEF.DOC", "BRIEF.pdf"},     {false, "Vorlage.dotx", "Vorlage.pdf"},
        {true, "Mappe.ods", "Mappe_Plan.pdf"}, {true, "MAPPE.XLSX", "MAPPE_Plan.pdf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 1"});
        runtime::setBackend(script);
        office::Document::State state;
        state.path = documents();
        state.name = c.name;
        state.file = documentFile(c.name, threePages());
        c.excel ? void(excel->open(state, {.name = "Plan", .pages = 3})) : void(word->open(state));
        run(c.excel ? static_cast<office::Application&>(*excel) : *word);
        EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{c.result}));
        EXPECT_EQ(record(),
                  (std::vector<std::string>{shown::choice + " -> 1",
                                            "open " + runtime::quoted(folder.path("Dokumente/" + c.result))}));
        fs::remove(folder.path("Dokumente/" + c.result));
    }
}

TEST_F(ExportCommand, TheOutputFolderComesFromTheSettingOrTheDocumentAndIsCreated) {
    struct Case {
        const char* name;
        std::string setting;  // empty: not in the file
        std::string expectedFolder;
    };
    const Case cases[] = {
        {"missing", "", "Dokumente"},
        {"a single character", "PDFAusgabePfadWord=.\r\n", "Dokumente"},
        {"a lone backslash", "PDFAusgabePfadWord=\\\r\n", "Dokumente"},
        {"a missing chain without trailing backslash",
         "PDFAusgabePfadWord=" + folder.windowsPath("PDF\\Ausgabe\\M\xE4rz") + "\r\n", "PDF/Ausgabe/März"},
        {"with trailing backslash", "PDFAusgabePfadWord=" + folder.windowsPath("Fertig") + "\\\r\n", "Fertig"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"choice 0"});
        runtime::setBackend(script);
        settings(c.setting);
        wordDocument();
        run(*word);
        EXPECT_EQ(folder.names(c.expectedFolder), (std::set<std::string>{"Angebot.pdf"}));
        EXPECT_EQ(record(), (std::vector<std::string>{
                                shown::choice + " -> 0",
                                "open " + runtime::quoted(folder.path(c.expectedFolder) + "/Angebot.pdf")}));
        fs::remove(folder.path(c.expectedFolder + "/Angebot.pdf"));
    }
}

TEST_F(ExportCommand, AnOutputFolderThatCannotBeUsedIsNamedBeforeTheChoice) {
    folder.write("Ablage", "eine Datei");
    const std::string file = folder.windowsPath("Ablage");
    const std::string tooLong = folder.windowsPath("PDF") + "\\" + std::string(1023, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {file, "Der Ausgabeordner " + file + "\\ ist eine Datei, kein Ordner."},
        {file + "\\PDF", "Der Ausgabeordner " + file + "\\PDF\\ lässt sich nicht anlegen."},
        // Cut by the settings reader: a folder at the cut path is not made.
        {tooLong,
         "Der Wert von PDFAusgabePfadWord in " + addIn() + "\\pdf-Kalmora.ini ist zu lang (höchstens 1022 Zeichen)."},
    };
    for (const auto& [setting, refusal] : cases) {
        SCOPED_TRACE(refusal);
        script = std::make_shared<runtime::ScriptBackend>(std::vector<std::string>{"msgbox ok"});
        runtime::setBackend(script);
        settings("PDFAusgabePfadWord=" + setting + "\r\n");
        wordDocument();
        run(*word);
        EXPECT_EQ(record(), (std::vector<std::string>{abort(refusal)}));
        EXPECT_EQ(folder.names(),
                  (std::set<std::string>{"AddIn", "Ablage", "Briefpapier", "Dokumente", "Quellen", "Welt"}));
    }
}

TEST_F(ExportCommand, APathInTheSettingsIsFullOrInTheHomeFolderAndNeverInTheWorkingFolder) {
    const std::string ini = addIn() + "\\pdf-Kalmora.ini";
    const std::string why =
        "\r\nEin Pfad muss mit / beginnen, oder mit ~/ für den persönlichen Ordner; ein anderer hinge davon ab, in "
        "welchem Ordner das Programm gestartet wurde.";
    const std::string erste = "ErsteSeite=" + letterheads() + "\\erste.pdf\r\n";
    const std::string zweite = "ZweiteSeite=" + letterheads() + "\\zweite.pdf\r\n";
    struct Case {
        const char* what;
        std::string settings;
        std::string shown;  // the first window of the run
    };
    const Case cases[] = {
        {"a relative letterhead", "[Global]\r\n" + erste + "ZweiteSeite=Briefpapier\\zweite.pdf\r\n",
         box(16, shown::title,
             "Der Wert von ZweiteSeite in " + ini + " ist kein vollständiger Pfad: Briefpapier\\zweite.pdf" + why, 1)},
        {"a drive letter", "[Global]\r\nErsteSeite=C:\\Briefe\\erste.pdf\r\n" + zweite,
         box(16, shown::title,
             "Der Wert von ErsteSeite in " + ini + " ist kein vollständiger Pfad: C:\\Briefe\\erste.pdf" + why, 1)},
        {"a letterhead in the home folder", "[Global]\r\nErsteSeite=~/Briefpapier/erste.pdf\r\n" + zweite,
         shown::choice + " -> -1"},
        {"a relative output folder", "[Global]\r\n" + erste + zweite + "PDFAusgabePfadWord=PDF-Ablage\r\n",
         abort("Der Wert von PDFAusgabePfadWord in " + ini + " ist kein vollständiger Pfad: PDF-Ablage" + why)},
        {"another user's home folder", "[Global]\r\n" + erste + zweite + "PDFAusgabePfadWord=~j\xFCrgen\\PDF\r\n",
         abort("Der Wert von PDFAusgabePfadWord in " + ini + " ist kein vollständiger Pfad: ~jürgen\\PDF" + why)},
    };
    const ScopedVariable home("HOME", folder.path());
    // The working folder is where relative names would land.
    const fs::path workingFolder = fs::current_path();
    fs::create_directories(folder.path("Quellen"));
    fs::current_path(folder.path("Quellen"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        script = std::make_shared<runtime::ScriptBackend>(c.shown.starts_with(shown::choice)
                                                              ? std::vector<std::string>{"choice escape", "msgbox ok"}
                                                              : std::vector<std::string>{"msgbox ok"});
        runtime::setBackend(script);
        folder.write("AddIn/pdf-Kalmora.ini", c.settings);
        wordDocument();
        run(*word);
        EXPECT_EQ(record().front(), c.shown);
        EXPECT_EQ(folder.names("Quellen"), std::set<std::string>{"Angebot.docx"});
        EXPECT_EQ(folder.names("Dokumente"), std::set<std::string>{});
    }
    fs::current_path(workingFolder);
}

TEST_F(ExportCommand, TheSettingsPageStoresOnlyWhatAPressTakes) {
    const std::string ini = addIn() + "\\pdf-Kalmora.ini";
    const std::string erste = letterheads() + "\\erste.pdf";
    const std::string home = folder.path("łukasz");
    fs::create_directories(home + "/Briefpapier");
    fs::copy_file(folder.path("Briefpapier/zweite.pdf"), home + "/Briefpapier/zweite.pdf");
    folder.write("Briefpapier/kaputt.pdf", "Briefkopf als Text");
    folder.write("Ablage", "eine Datei");
    const ScopedVariable homeVariable("HOME", home);
    struct Case {
        const char* key;
        std::string value;
        std::string refusal;
    };
    const Case cases[] = {
        {"ErsteSeite", erste, ""},
        {"ErsteSeite", "~/Briefpapier/zweite.pdf", ""},
        {"ErsteSeite", letterheads() + "\\kaputt.pdf",
         "Der Kopfbogen " + letterheads() +
             "\\kaputt.pdf lässt sich nicht verwenden:\r\nDie Datei ist keine PDF-Datei."},
        {"ZweiteSeite", letterheads() + "\\fehlt.pdf",
         "Der Kopfbogen " + letterheads() +
             "\\fehlt.pdf lässt sich nicht verwenden:\r\nDie Datei lässt sich nicht öffnen."},
        {"ZweiteSeite", "", "Ohne Kopfbogen lässt sich kein PDF-Ausdruck erzeugen: Bitte eine PDF-Datei wählen."},
        {"ZweiteSeite", "Briefpapier\\zweite.pdf",
         "Kein vollständiger Pfad: Briefpapier\\zweite.pdf\r\nEin Pfad muss mit / beginnen, oder mit ~/ für den "
         "persönlichen Ordner; ein anderer hinge davon ab, in welchem Ordner das Programm gestartet wurde."},
        {"PDFAusgabePfadWord", "", ""},
        {"PDFAusgabePfadExcel", folder.windowsPath("Neu\\PDF"), ""},
        {"PDFAusgabePfadWord", folder.windowsPath("Ablage"),
         "Der Ausgabeordner " + folder.windowsPath("Ablage") + "\\ ist eine Datei, kein Ordner."},
        {"PDFAusgabePfadWord", folder.windowsPath("Ablage\\PDF"),
         "Der Ausgabeordner " + folder.windowsPath("Ablage\\PDF") + "\\ lässt sich nicht anlegen."},
        {"PDFAusgabePfadWord", "/srv/Ablage \"neu\"",
         "Der Pfad enthält ein Anführungszeichen und kann nicht verarbeitet werden: /srv/Ablage \"neu\""},
        {"PDFAusgabePfadWord", home + "/PDF",
         "Die Einstellungsdatei " + ini + " (Windows-1252) kann " + home +
             "/PDF nicht aufnehmen.\r\nIm persönlichen Ordner lässt sich der Pfad so schreiben: ~/PDF"},
        {"Firmenkürzel", "Mü", ""},
        {"Firmenkürzel", "A/B",
         "Das Firmenkürzel A/B enthält \\ oder /; die PDF-Datei käme nicht in den Ausgabeordner."},
        {"Firmenkürzel", "Łódź", "Die Einstellungsdatei " + ini + " (Windows-1252) kann Łódź nicht aufnehmen."},
        {"WordGelesen", "1", "Den Eintrag WordGelesen ändert diese Seite nicht."},
    };
    const std::string before = "[Global]\r\nErsteSeite=" + erste + "\r\nWordGelesen=1\r\nWordRename=-1\r\n";
    folder.write("AddIn/pdf-Kalmora.ini", before);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        EXPECT_EQ(SettingsPage::refusal(c.key, c.value), c.refusal);
        if (c.refusal.empty()) continue;
        EXPECT_EQ(SettingsPage::store({{c.key, c.value}}), c.refusal);
        EXPECT_EQ(folder.read("AddIn/pdf-Kalmora.ini"), before);
    }
    // Nothing was made to find out.
    EXPECT_EQ(folder.names(), (std::set<std::string>{"AddIn", "Ablage", "Briefpapier", "Dokumente", "Welt", "łukasz"}));

    EXPECT_EQ(SettingsPage::file(), ini);
    EXPECT_EQ(SettingsPage::rememberedAnswer("Word"), "Umbenennen");
    EXPECT_EQ(SettingsPage::rememberedAnswer("Excel"), "");
    EXPECT_EQ(SettingsPage::store({{"ZweiteSeite", "~/Briefpapier/zweite.pdf"},
                                   {"PDFAusgabePfadWord", "~/PDF für Müller"},
                                   {"Firmenkürzel", "Mü"}}),
              "");
    EXPECT_EQ(SettingsPage::forgetAnswer("Word"), "");
    EXPECT_EQ(SettingsPage::rememberedAnswer("Word"), "");
    EXPECT_EQ(folder.read("AddIn/pdf-Kalmora.ini"),
              "[Global]\r\nErsteSeite=" + erste +
                  "\r\nWordGelesen=0\r\nWordRename=-1\r\nZweiteSeite=~/Briefpapier/zweite.pdf\r\nPDFAusgabePfadWord=~/"
                  "PDF f\xFCr M\xFCller\r\nFirmenk\xFCrzel=M\xFC\r\n");
    EXPECT_EQ(SettingsPage::value("Firmenkürzel").text, "Mü");
    EXPECT_EQ(SettingsPage::value("PDFAusgabePfadExcel").source, ini);

    // The next press takes them: the result, with its company code, in the home folder's new folder.
    wordDocument();
    answers({"choice 2"});
    run(*word);
    EXPECT_EQ(record().back(), "open " + runtime::quoted(home + "/PDF für Müller/Angebot_Mü.pdf"));
}

TEST_F(ExportCommand, ARunThatEndsAtTheQuestionTouchesNoFile) {
    settings("Firmenk\xFCrzel=ABC\r\n");
    wordDocument("Bericht.doc.docx");
    for (const char* name : {"Bericht.doc_ABC_$1.pdf", "Bericht.doc_ABC_$2.pdf", "Bericht.doc_ABC_$1.pdf.pdf",
                             "Bericht.doc_ABC_$2.pdf.pdf", "Bericht.doc_ABC.pdf", "Bericht_ABC_$1.pdf"})
        folder.write(std::string("Dokumente/") + name, "alt");
    answers({"choice 1", "dialog cancel"});
    run(*word);
    EXPECT_FALSE(script->metUnexpected());
    // Another host's export may be writing these files.
    EXPECT_EQ(folder.names("Dokumente"),
              (std::set<std::string>{"Bericht.doc_ABC_$1.pdf", "Bericht.doc_ABC_$2.pdf", "Bericht.doc_ABC_$1.pdf.pdf",
                                     "Bericht.doc_ABC_$2.pdf.pdf", "Bericht.doc_ABC.pdf", "Bericht_ABC_$1.pdf"}));
}

TEST_F(ExportCommand, ExcelNamesCarryTheCleanedSheetName) {
    settings("PDFAusgabePfadExcel=" + folder.windowsPath("PDF") + "\r\n");
    office::Document::State state;
    state.path = documents();
    state.name = "Mappe.xlsx";
    state.file = documentFile("Mappe.xlsx", threePages());
    excel->open(state, {.name = "Q1: Plan=A \"x\"", .pages = 3});
    fs::create_directories(folder.path("PDF"));
    folder.write("PDF/Mappe_Q1 PlanA ''x''_$2.pdf", "alt");
    folder.write("PDF/Mappe_Q1 PlanA ''x''.pdf", "alt");
    answers({"choice 2", "dialog cancel"});
    run(*excel);
    EXPECT_FALSE(script->metUnexpected());
    EXPECT_EQ(folder.names("PDF"), (std::set<std::string>{"Mappe_Q1 PlanA ''x''.pdf", "Mappe_Q1 PlanA ''x''_$2.pdf"}));
    EXPECT_EQ(INI_Datei::HostKind, "Excel");
}

TEST_F(ExportCommand, AHostThatIsNeitherWordNorExcelIsToldSoAndNothingIsWritten) {
    const auto everything = [&] {
        std::set<fs::path> paths(fs::recursive_directory_iterator(folder.path()), {});
        return paths;
    };
    settings("Firmenk\xFCrzel=KBS\r\n");
    word->setName("Microsoft Outlook");
    wordDocument()->state().saved = com::False;  // never looked at
    // Its working folder is where names without a folder would land.
    const fs::path workingFolder = fs::current_path();
    fs::current_path(folder.path("Quellen"));
    const auto before = everything();
    answers({"msgbox ok"});
    run(*word);
    fs::current_path(workingFolder);
    EXPECT_EQ(record(), (std::vector<std::string>{abort("Der PDF-Ausdruck mit Briefpapier geht nur aus Microsoft Word "
                                                        "und Microsoft Excel, nicht aus \"Microsoft Outlook\".")}));
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
    EXPECT_EQ(INI_Datei::HostKind, "");
}

TEST_F(ExportCommand, ALockedIntermediateFileIsNoMatterToARunThatEndsAtTheQuestion) {
    wordDocument();
    folder.write("Dokumente/Angebot.pdf", "alt");
    folder.write("Dokumente/Angebot_$1.pdf", "alt");
    folder.write("Dokumente/Angebot_$2.pdf", "alt");
    LockHolder lock(folder.path("Dokumente/Angebot_$1.pdf"));
    answers({"choice 0", "dialog cancel"});
    run(*word);
    EXPECT_EQ(
        record(),
        (std::vector<std::string>{
            shown::choice + " -> 0",
            "dialog text=" + runtime::quoted("Die Ausgabedatei " + documents() + "\\Angebot.pdf existiert bereits!") +
                " focus=cmdRename -> cancel"}));
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf", "Angebot_$1.pdf", "Angebot_$2.pdf"}));
}

}  // namespace
