// How the output names are formed from the document's names.
#include "src/export/OutputNaming.h"

#include <gtest/gtest.h>

#include "platform/com/Error.h"

namespace {

TEST(OutputNaming, WordTakesEverythingBeforeTheLastDotDoc) {
    EXPECT_EQ(OutputNaming::wordBaseName("Angebot.docx"), "Angebot");
    EXPECT_EQ(OutputNaming::wordBaseName("Bericht.doc.docx"), "Bericht.doc");
    EXPECT_EQ(OutputNaming::wordBaseName("a.docm.doc"), "a.docm");
    EXPECT_EQ(OutputNaming::wordBaseName(".doc"), "");
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
}

TEST(OutputNaming, ANameWithoutItsExtensionRaisesError5) {
    for (const char* name : {"Brief.rtf", "BRIEF.DOC", "Brief.do", ""}) {
        try {
            OutputNaming::wordBaseName(name);
            ADD_FAILURE() << name;
        } catch (const com::Error& e) {
            EXPECT_EQ(e.number(), 5);
        }
    }
    EXPECT_THROW(OutputNaming::excelBaseName("Mappe.XLSX", "T"), com::Error);
}

}  // namespace
