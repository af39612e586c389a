#pragma once
// A machine of its own with the add-in installed as a person installs it: a
// world with printers and the PDF printer, the add-in folder with the
// library, pdftk.exe and a settings file naming two letterheads, both
// libraries registered with regsvr, and a three-page Word document. Tests
// drive it through the programs, host-app first.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/office/pages/TextPdf.h"
#include "tests/support/PdfText.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

class InstalledAddIn : public ::testing::Test {
protected:
    TempFolder folder;
    const ScopedVariable world{"KALMORA_WORLD", folder.path("Welt")};

    void SetUp() override {
        namespace fs = std::filesystem;
        fs::create_directories(folder.path("AddIn"));
        fs::create_directories(folder.path("Dokumente"));
        for (const char* file : {"PDF_Kalmora.so", "pdftk.exe", "pdftk-guard"})
            fs::copy_file(fs::path(ADDIN_FOLDER) / file, folder.path("AddIn") + "/" + file);
        folder.write("erste.pdf", office::textToPdf("\n\n\n\n\n\n\n\n\n\nERSTER BRIEFKOPF"));
        folder.write("zweite.pdf", office::textToPdf("\n\n\n\n\n\n\n\n\n\nFOLGE BRIEFKOPF"));
        settings("");
        folder.write("Dokumente/Angebot.doc", "Seite eins\n\fSeite zwei\n\fSeite drei\n");
        ASSERT_EQ(run(PRINTERS_PROGRAM, "add PDFCreator"), 0);
        ASSERT_EQ(run(PRINTERS_PROGRAM, "add Drucker"), 0);
        ASSERT_EQ(run(PRINTERS_PROGRAM, "default Drucker"), 0);
        ASSERT_EQ(run(REGSVR_PROGRAM, pdf::quoted(PDFPRINTER_SERVER)), 0);
        ASSERT_EQ(run(REGSVR_PROGRAM, pdf::quoted(folder.path("AddIn/PDF_Kalmora.so"))), 0);
    }

    // Writes the settings file: both letterheads and `more`.
    void settings(const std::string& more) {
        folder.write("AddIn/pdf-Kalmora.ini", "[Global]\r\nErsteSeite=" + folder.path("erste.pdf") +
                                                  "\r\nZweiteSeite=" + folder.path("zweite.pdf") + "\r\n" + more);
    }

    // Runs a program; its exit status, and what it printed in `output`.
    int run(const std::string& program, const std::string& arguments, std::string* output = nullptr) const {
        const std::string out = pdf::run(program + " " + arguments + " 2>/dev/null; echo \"exit=$?\"");
        if (output) *output = out.substr(0, out.rfind("exit="));
        return std::stoi(out.substr(out.rfind("exit=") + 5));
    }
    // Runs host-app with `answers` as its answer script.
    int host(const std::string& arguments, const std::string& answers, std::string* output = nullptr) const {
        folder.write("antworten.txt", answers);
        return run(HOST_APP, arguments + " --ui script:" + pdf::quoted(folder.path("antworten.txt")), output);
    }
};
