#include <gtest/gtest.h>

#include "PrintWorld.h"
#include "RaisedBy.h"
#include "platform/office/model/ExcelApplication.h"
#include "platform/printers/PrintSystem.h"

namespace office {
namespace {

using testing::PrintWorld;
using testing::raisedBy;

const std::vector<std::string> kPages = {"Preise Januar", "Preise Februar", "Preise März"};

class ExcelPrintOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        printers::install("Büro-Laser");
        printers::install("PDFCreator");
        ASSERT_TRUE(printers::setDefaultPrinter("Büro-Laser"));
        excel_->setActivePrinter("Büro-Laser");
    }

    std::string threePages() const {
        return world_.file("preise.txt", kPages[0] + "\f" + kPages[1] + "\f" + kPages[2] + "\n");
    }

    void printOut(const char* from, const char* to, const char* printer) const {
        (void)app_.object("ActiveWorkbook")
            .object("ActiveSheet")
            .call("PrintOut", {.named = {{"From", from}, {"To", to}, {"ActivePrinter", printer}}});
    }

    PrintWorld world_;
    com::Ref<ExcelApplication> excel_ = com::AutomationObject::create<ExcelApplication>();
    com::Object app_ = excel_->object();
};

TEST_F(ExcelPrintOutTest, PagesFromToOnTheNamedPrinter) {
    struct Row {
        const char* from;
        const char* to;
        std::vector<std::size_t> pages;  // 1-based; none: no job
    };
    const Row rows[] = {
        {"1", "1", {1}}, {"2", "999", {2, 3}}, {"1", "999", {1, 2, 3}}, {"3", "3", {3}}, {"4", "999", {}},
    };
    excel_->open({.name = "Preise.xls", .file = threePages()});
    for (const Row& row : rows) {
        const std::string what = std::string(row.from) + ".." + row.to;
        const std::size_t before = PrintWorld::jobs("PDFCreator").size();
        ASSERT_FALSE(raisedBy([&] { printOut(row.from, row.to, "PDFCreator"); })) << what;
        const std::vector<std::string> jobs = PrintWorld::jobs("PDFCreator");
        if (row.pages.empty()) {
            EXPECT_EQ(jobs.size(), before) << what;
            continue;
        }
        ASSERT_EQ(jobs.size(), before + 1) << what;
        std::vector<std::string> expected;
        for (const std::size_t page : row.pages) expected.push_back(kPages[page - 1]);
        EXPECT_EQ(pdf::pageTexts(jobs.back(), testing::kLines), expected) << what;
        EXPECT_EQ(PrintWorld::title(jobs.back()), "Preise.xls") << what;
    }
    EXPECT_TRUE(PrintWorld::jobs("Büro-Laser").empty());
    // As in Excel, the printer named stays the active one; the add-in's own
    // writes are what is counted.
    EXPECT_EQ(app_.get("ActivePrinter").toString(), "PDFCreator");
    EXPECT_TRUE(excel_->activePrinterWrites().empty());
}

TEST_F(ExcelPrintOutTest, OnePageSheetFromPageTwoPrintsNothing) {
    excel_->open({.name = "Kurz.xls", .file = world_.file("kurz.txt", "Eine Zeile")});
    printOut("2", "999", "PDFCreator");
    EXPECT_TRUE(PrintWorld::jobs("PDFCreator").empty());
}

TEST_F(ExcelPrintOutTest, FailuresRaise1004AndPrintNothing) {
    struct Row {
        const char* what;
        const char* printer;
        bool withFile;
    };
    const Row rows[] = {
        {"printer not installed", "Gibt es nicht", true},
        {"empty printer name", "", true},
        {"workbook without file", "PDFCreator", false},
    };
    for (const Row& row : rows) {
        excel_->open({.name = "Preise.xls", .file = row.withFile ? threePages() : ""});
        const auto raised = raisedBy([&] { printOut("1", "999", row.printer); });
        ASSERT_TRUE(raised) << row.what;
        EXPECT_EQ(raised->number(), 1004) << row.what;
        EXPECT_EQ(raised->description(), "Die Methode 'PrintOut' für das Objekt '_Worksheet' ist fehlgeschlagen.")
            << row.what;
        EXPECT_TRUE(PrintWorld::jobs("PDFCreator").empty()) << row.what;
        EXPECT_TRUE(PrintWorld::jobs("Büro-Laser").empty()) << row.what;
    }
    EXPECT_EQ(excel_->activePrinter(), "Büro-Laser");
}

TEST_F(ExcelPrintOutTest, PageCountComesFromTheFileWhenThereIsOne) {
    struct Row {
        const char* what;
        std::string file;
        std::int32_t pagesSet;
        double reported;
    };
    const Row rows[] = {
        {"text", threePages(), 7, 3.0},
        {"pdf", world_.file("p.pdf", testing::handMadePdf({"A", "B"}, 595, 842)), 7, 2.0},
        {"no file", "", 7, 7.0},
        {"no file, nothing to print", "", 0, 0.0},
    };
    for (const Row& row : rows) {
        excel_->open({.name = "Preise.xls", .file = row.file}, {.pages = row.pagesSet});
        EXPECT_EQ(app_.call("ExecuteExcel4Macro", {{com::Variant("Get.Document(50)")}}), com::Variant(row.reported))
            << row.what;
    }
}

}  // namespace
}  // namespace office
