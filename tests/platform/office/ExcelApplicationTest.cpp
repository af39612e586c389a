#include <gtest/gtest.h>

#include "RaisedBy.h"
#include "platform/office/model/ExcelApplication.h"

namespace office {
namespace {

using testing::raisedBy;

class ExcelTest : public ::testing::Test {
protected:
    com::Variant pageCount(const char* macro = "Get.Document(50)") const {
        return app_.call("ExecuteExcel4Macro", {{com::Variant(macro)}});
    }

    com::Ref<ExcelApplication> excel_ = com::AutomationObject::create<ExcelApplication>();
    com::Object app_ = excel_->object();
};

TEST_F(ExcelTest, WorkbookAndSheetAsTheAddInReadsThem) {
    excel_->open({.path = "D:\\Listen", .name = "Preise.xls", .saved = com::False}, {.name = "Januar"});
    EXPECT_EQ(app_.value().toString(), "Microsoft Excel");
    const com::Object workbook = app_.object("ActiveWorkbook");
    EXPECT_EQ(workbook.get("Path").toString(), "D:\\Listen");
    EXPECT_EQ(workbook.get("Name").toString(), "Preise.xls");
    EXPECT_EQ(workbook.get("Saved"), com::Variant(com::False));
    EXPECT_EQ(workbook.object("ActiveSheet").get("Name").toString(), "Januar");
}

TEST_F(ExcelTest, PageCountOfTheActiveSheetAsDouble) {
    const auto workbook = excel_->open({.name = "Preise.xls"}, {.pages = 3});
    for (const char* macro : {"Get.Document(50)", "GET.DOCUMENT(50)"}) {
        EXPECT_EQ(pageCount(macro), com::Variant(3.0)) << macro;
    }
    workbook->activeSheet().state().pages = 0;
    EXPECT_EQ(pageCount(), com::Variant(0.0));
}

TEST_F(ExcelTest, OtherMacroTextRaises1004) {
    excel_->open({.name = "Preise.xls"});
    for (const char* macro : {"Get.Document(51)", ""}) {
        const auto raised = raisedBy([&] { (void)pageCount(macro); });
        ASSERT_TRUE(raised) << macro;
        EXPECT_EQ(raised->number(), 1004);
        EXPECT_EQ(raised->description(), "Anwendungs- oder objektdefinierter Fehler");
    }
}

TEST_F(ExcelTest, WithoutWorkbookActiveWorkbookIsNothingAndPageCountMismatches) {
    EXPECT_TRUE(app_.object("ActiveWorkbook").isNothing());
    const auto pages = raisedBy([&] { (void)pageCount(); });
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->number(), 13);
}

TEST_F(ExcelTest, FailingSaveRaisesExcelsError) {
    const auto workbook = excel_->open({.name = "Preise.xls", .saved = com::False, .saveOutcome = SaveOutcome::Fails});
    const auto raised = raisedBy([&] { (void)app_.object("ActiveWorkbook").call("Save"); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number(), 1004);
    EXPECT_EQ(raised->description(), "Die Methode 'Save' für das Objekt '_Workbook' ist fehlgeschlagen.");
    EXPECT_EQ(workbook->state().saveCalls, 1);
}

TEST_F(ExcelTest, ActivePrinterReadThenWrittenBack) {
    excel_->setActivePrinter("Büro-Laser auf Ne01:");
    const com::Variant before = app_.get("ActivePrinter");
    app_.put("ActivePrinter", com::Variant("PDFCreator"));
    app_.put("ActivePrinter", before);
    EXPECT_EQ(excel_->activePrinter(), "Büro-Laser auf Ne01:");
    EXPECT_EQ(excel_->activePrinterWrites(), (std::vector<std::string>{"PDFCreator", "Büro-Laser auf Ne01:"}));
}

TEST_F(ExcelTest, WordMembersRaise438) {
    excel_->open({.name = "Preise.xls"});
    for (const char* member : {"Documents", "ActiveDocument"}) {
        const auto raised = raisedBy([&] { (void)app_.get(member); });
        ASSERT_TRUE(raised) << member;
        EXPECT_EQ(raised->number(), 438);
    }
}

}  // namespace
}  // namespace office
