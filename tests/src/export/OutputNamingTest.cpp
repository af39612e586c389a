// How the output names are formed from the document's names.
#include "src/export/OutputNaming.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(OutputNaming, WordTakesEverythingBeforeTheLastDotDocOrElseTheExtensionGoes) {
    const std::pair<std::string, std::string> cases[] = {
        {"Angebot.docx", "Angebot"},  {"Bericht.doc.docx", "Bericht.doc"},
        {"a.docm.doc", "a.docm"},     {".doc", ""},
        {"BRIEF.DOC", "BRIEF"},                                // Windows names are case-blind
        {"Brief.Docx", "Brief"},      {"Brief.rtf", "Brief"},  // documents Word opens under other names
        {"Brief.odt", "Brief"},       {"Vorlage.dotx", "Vorlage"},
        {"Brief.v2.rtf", "Brief.v2"}, {"Brief.do", "Brief"},
        {"Notiz", "Notiz"},           {"", ""},
    };
    for (const auto& [name, base] : cases) EXPECT_EQ(OutputNaming::wordBaseName(name), base) << name;
}

TEST(OutputNaming, ExcelAddsTheCleanedSheetName) {
    struct Case {
        std::string sheet;
        std::string base;
    };
    const Case cases[] = {
        {"Q1: Plan=A", "Mappe_Q1 PlanA"},
        {"a\\b/c?d*e[f]g", "Mappe_abcdefg"},
        {"Zitat \"x\"", "Mappe_Zitat ''x''"},
        {"Über", "Mappe_Über"},
    };
    for (const Case& c : cases) EXPECT_EQ(OutputNaming::excelBaseName("Mappe.xlsx", c.sheet), c.base) << c.sheet;
    // The workbook name itself is not cleaned.
    EXPECT_EQ(OutputNaming::excelBaseName("Q=1.xls.xlsm", "T"), "Q=1.xls_T");
    EXPECT_EQ(OutputNaming::excelBaseName("MAPPE.XLSX", "T"), "MAPPE_T");
    EXPECT_EQ(OutputNaming::excelBaseName("Mappe.ods", "T"), "Mappe_T");
    EXPECT_EQ(OutputNaming::excelBaseName("Preise.2026.csv", "T"), "Preise.2026_T");
}

}  // namespace
