#pragma once
// An add-in folder with a settings file, two letterheads, a document folder,
// a Word and an Excel test host, and scripted answers for every window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/com/Activation.h"
#include "platform/com/AutomationObject.h"
#include "platform/office/model/ExcelApplication.h"
#include "platform/office/model/WordApplication.h"
#include "platform/office/pages/TextPdf.h"
#include "platform/printers/PrintSystem.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/script/ScriptBackend.h"
#include "src/export/ExportCommand.h"
#include "src/settings/INI_Datei.h"
#include "src/ui/frmMenue.h"
#include "src/util/Project.h"
#include "tests/support/FakePdfPrinter.h"
#include "tests/support/Shown.h"
#include "tests/support/TempFolder.h"

class ExportFixture : public ::testing::Test {
protected:
    TempFolder folder;
    std::shared_ptr<runtime::ScriptBackend> script = std::make_shared<runtime::ScriptBackend>();
    com::Ref<office::WordApplication> word = com::AutomationObject::create<office::WordApplication>();
    com::Ref<office::ExcelApplication> excel = com::AutomationObject::create<office::ExcelApplication>();
    com::Ref<FakePdfPrinter> pdfPrinter = com::AutomationObject::create<FakePdfPrinter>();
    // The user's own printer, the default until a run changes it.
    const std::string officePrinter = "Büro-Laser";

    // The add-in's folder as the runtime reports it.
    std::string addIn() const { return folder.path("AddIn"); }
    // Other folders as a person types them into the settings file, with "\" separators.
    std::string documents() const { return folder.windowsPath("Dokumente"); }
    std::string letterheads() const { return folder.windowsPath("Briefpapier"); }

    void SetUp() override {
        std::filesystem::create_directories(folder.path("AddIn"));
        std::filesystem::create_symlink(PDFTK_LAUNCHER, folder.path("AddIn/pdftk.exe"));
        std::filesystem::create_directories(folder.path("Dokumente"));
        std::filesystem::create_directories(folder.path("Briefpapier"));
        // Letterheads whose marker texts show on every page they lie under.
        folder.write("Briefpapier/erste.pdf", office::textToPdf("\n\n\n\n\n\n\n\n\n\nERSTER BRIEFKOPF"));
        folder.write("Briefpapier/zweite.pdf", office::textToPdf("\n\n\n\n\n\n\n\n\n\nFOLGE BRIEFKOPF"));
        settings("");
        // A machine of its own: the user's printer as the default, and the PDF printer.
        ::setenv("KALMORA_WORLD", folder.path("Welt").c_str(), 1);
        printers::install(officePrinter);
        printers::install("PDFCreator");
        printers::setDefaultPrinter(officePrinter);
        com::registerLocalClass("PDFCreator.clsPDFCreator",
                                [this] { return com::Object(com::Ref<com::IDispatch>(pdfPrinter.get())); });
        INI_Datei::ResetState();
        frmMenue::releaseInstance();
        runtime::app().path = folder.path("AddIn");
        // As the library does when it is loaded.
        Project::start();
        runtime::setBackend(script);
    }
    void TearDown() override {
        frmMenue::releaseInstance();
        runtime::setBackend(nullptr);
        com::unregisterLocalClass("PDFCreator.clsPDFCreator");
        ::unsetenv("KALMORA_WORLD");
    }

    // A document of three pages (text set apart by form feeds), stored
    // outside the folders that the runs write to.
    std::string documentFile(const std::string& name, const std::string& text) {
        std::filesystem::create_directories(folder.path("Quellen"));
        folder.write("Quellen/" + name, text);
        return folder.path("Quellen/" + name);
    }
    static std::string threePages() { return "Seite eins\n\fSeite zwei\n\fSeite drei\n"; }

    // Writes the settings file: both letterheads and `more` (Windows-1252 bytes).
    void settings(const std::string& more) {
        folder.write("AddIn/pdf-Kalmora.ini", "[Global]\r\nErsteSeite=" + letterheads() +
                                                  "\\erste.pdf\r\nZweiteSeite=" + letterheads() + "\\zweite.pdf\r\n" +
                                                  more);
    }

    void answers(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) script->queue(line);
    }

    // A stored Word document in the document folder.
    com::Ref<office::Document> wordDocument(const std::string& name = "Angebot.docx") {
        office::Document::State state;
        state.path = documents();
        state.name = name;
        state.file = documentFile(name, threePages());
        return word->open(state);
    }

    void run(office::Application& host) {
        com::Object application = host.object();
        ExportCommand::erzeugeFiles(application);
    }

    const std::vector<std::string>& record() const { return script->record(); }
};
