#include <gtest/gtest.h>

#include <functional>

#include "PrintWorld.h"
#include "RaisedBy.h"
#include "platform/office/model/WordApplication.h"
#include "platform/printers/PrintSystem.h"

namespace office {
namespace {

using testing::PrintWorld;
using testing::raisedBy;

const std::vector<std::string> kPages = {"Seite 1: Grüße aus Köln", "Seite 2\nzweiter Absatz", "Seite 3 – Ende"};

com::Arguments named(std::vector<com::NamedArgument> arguments) {
    return {.named = std::move(arguments)};
}

class WordPrintOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        printers::install("Büro-Laser");
        printers::install("PDFCreator");
        ASSERT_TRUE(printers::setDefaultPrinter("Büro-Laser"));
    }

    std::string threePages() const {
        return world_.file("brief.txt", kPages[0] + "\n\f" + kPages[1] + "\f" + kPages[2]);
    }

    void printOut(const com::Arguments& args = {}) const { (void)app_.object("ActiveDocument").call("PrintOut", args); }

    PrintWorld world_;
    com::Ref<WordApplication> word_ = com::AutomationObject::create<WordApplication>();
    com::Object app_ = word_->object();
};

TEST_F(WordPrintOutTest, RangesAsTheAddInPassesThem) {
    struct Row {
        const char* what;
        com::Arguments args;
        std::vector<std::size_t> pages;  // 1-based; none: no job
    };
    const com::Variant no(com::False);
    const Row rows[] = {
        {"no arguments", {}, {1, 2, 3}},
        {"Background only", named({{"Background", no}}), {1, 2, 3}},
        {"whole document", named({{"Background", no}, {"Range", std::int16_t{0}}}), {1, 2, 3}},
        {"first page", named({{"Background", no}, {"Range", std::int16_t{4}}, {"Pages", "1"}}), {1}},
        {"names in any case", named({{"BACKGROUND", no}, {"range", std::int16_t{4}}, {"pAGES", "1"}}), {1}},
        {"list in its order", named({{"Range", std::int16_t{4}}, {"Pages", "3, 1-2"}}), {3, 1, 2}},
        {"list past the end", named({{"Range", std::int16_t{4}}, {"Pages", "2-5"}}), {2, 3}},
        {"to the end", named({{"Background", no}, {"Range", std::int16_t{3}}, {"From", "2"}, {"To", "999"}}), {2, 3}},
        {"one page span", named({{"Range", std::int16_t{3}}, {"From", "2"}, {"To", "2"}}), {2}},
        {"from without to", named({{"Range", std::int16_t{3}}, {"From", "3"}}), {3}},
        {"from past the end", named({{"Range", std::int16_t{3}}, {"From", "4"}, {"To", "999"}}), {}},
        {"list past the end only", named({{"Range", std::int16_t{4}}, {"Pages", "4"}}), {}},
    };
    word_->open({.path = "C:\\Briefe", .name = "Brief.doc", .file = threePages()});
    for (const Row& row : rows) {
        const std::size_t before = PrintWorld::jobs("Büro-Laser").size();
        ASSERT_FALSE(raisedBy([&] { printOut(row.args); })) << row.what;
        const std::vector<std::string> jobs = PrintWorld::jobs("Büro-Laser");
        if (row.pages.empty()) {
            EXPECT_EQ(jobs.size(), before) << row.what;
            continue;
        }
        ASSERT_EQ(jobs.size(), before + 1) << row.what;
        std::vector<std::string> expected;
        for (const std::size_t page : row.pages) expected.push_back(kPages[page - 1]);
        EXPECT_EQ(pdf::pageTexts(jobs.back(), testing::kLines), expected) << row.what;
        EXPECT_EQ(PrintWorld::title(jobs.back()), "Brief.doc") << row.what;
    }
    EXPECT_TRUE(PrintWorld::jobs("PDFCreator").empty());
}

TEST_F(WordPrintOutTest, OnePageDocumentFromPageTwoPrintsNothing) {
    word_->open({.name = "Kurz.doc", .file = world_.file("kurz.txt", "Nur eine Seite\n")});
    printOut(named({{"Background", com::False}, {"Range", std::int16_t{3}}, {"From", "2"}, {"To", "999"}}));
    EXPECT_TRUE(PrintWorld::jobs("Büro-Laser").empty());
    printOut(named({{"Range", std::int16_t{4}}, {"Pages", "1"}}));
    ASSERT_EQ(PrintWorld::jobs("Büro-Laser").size(), 1u);
    EXPECT_EQ(pdf::pageTexts(PrintWorld::jobs("Büro-Laser")[0], testing::kLines),
              std::vector<std::string>{"Nur eine Seite"});
}

TEST_F(WordPrintOutTest, PrintsToTheActivePrinterAndRefusesAnUnknownOne) {
    word_->open({.name = "Brief.doc", .file = threePages()});
    EXPECT_EQ(app_.get("ActivePrinter").toString(), "Büro-Laser");
    app_.put("ActivePrinter", com::Variant("PDFCreator"));
    const auto raised = raisedBy([&] { app_.put("ActivePrinter", com::Variant("Gibt es nicht")); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number(), 4609);
    EXPECT_EQ(raised->description(), "Der Drucker \"Gibt es nicht\" ist nicht installiert.");
    EXPECT_EQ(app_.get("ActivePrinter").toString(), "PDFCreator");
    EXPECT_EQ(word_->activePrinterWrites(), std::vector<std::string>{"PDFCreator"});
    printOut(named({{"Range", std::int16_t{4}}, {"Pages", "2"}}));
    ASSERT_EQ(PrintWorld::jobs("PDFCreator").size(), 1u);
    EXPECT_EQ(pdf::pageTexts(PrintWorld::jobs("PDFCreator")[0], testing::kLines), std::vector<std::string>{kPages[1]});
    EXPECT_TRUE(PrintWorld::jobs("Büro-Laser").empty());
}

TEST_F(WordPrintOutTest, PdfDocumentKeepsItsPages) {
    const std::string pdf = world_.file("brief.pdf", testing::handMadePdf({"Erste Seite", "Zweite Seite"}, 842, 595));
    word_->open({.name = "Brief.doc", .file = pdf});
    printOut();
    printOut(named({{"Range", std::int16_t{4}}, {"Pages", "2"}}));
    const std::vector<std::string> jobs = PrintWorld::jobs("Büro-Laser");
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(pdf::pageTexts(jobs[0], testing::kLines), (std::vector<std::string>{"Erste Seite", "Zweite Seite"}));
    EXPECT_EQ(pdf::pageTexts(jobs[1], testing::kLines), std::vector<std::string>{"Zweite Seite"});
    EXPECT_EQ(testing::pageSize(jobs[1], 1), "842 x 595");
}

TEST_F(WordPrintOutTest, FailuresRaiseWordsErrorsAndPrintNothing) {
    struct Row {
        const char* what;
        const char* file;  // contents; none: the document has no file
        com::Arguments args;
        std::function<void()> before;
        std::int32_t error;
    };
    const Row rows[] = {
        {"document without file", nullptr, {}, {}, 4198},
        {"damaged PDF file", "%PDF-1.4 kaputt", {}, {}, 4198},
        {"unknown argument", "Text", named({{"Copies", std::int16_t{2}}}), {}, 448},
        {"current page", "Text", named({{"Range", std::int16_t{2}}}), {}, 4608},
        {"malformed list", "Text", named({{"Range", std::int16_t{4}}, {"Pages", "1;2"}}), {}, 4608},
        {"no list", "Text", named({{"Range", std::int16_t{4}}}), {}, 4608},
        {"default printer gone", "Text", {}, [] { printers::uninstall("Büro-Laser"); }, 4609},
    };
    for (const Row& row : rows) {
        SetUp();  // installs again what a row before took away
        if (row.before) row.before();
        word_->open({.name = "Brief.doc", .file = row.file ? world_.file("brief", row.file) : ""});
        const auto raised = raisedBy([&] { printOut(row.args); });
        ASSERT_TRUE(raised) << row.what;
        EXPECT_EQ(raised->number(), row.error) << row.what;
        EXPECT_TRUE(PrintWorld::jobs("PDFCreator").empty()) << row.what;
        if (printers::exists("Büro-Laser")) {
            EXPECT_TRUE(PrintWorld::jobs("Büro-Laser").empty()) << row.what;
        }
    }
}

}  // namespace
}  // namespace office
