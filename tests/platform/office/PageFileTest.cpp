#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "PrintWorld.h"
#include "platform/office/pages/PageFile.h"
#include "platform/office/pages/PageSelection.h"

namespace office {
namespace {

using pdf::lines;
using testing::PrintWorld;

class PageFileTest : public ::testing::Test {
protected:
    // The PDF file that prints all pages of a document file with `contents`.
    std::string printed(const std::string& contents) {
        const PageFile pages(world_.file("dokument", contents));
        return world_.file("gedruckt.pdf", pages.pdfOf(allPages(pages.pageCount())));
    }

    PrintWorld world_;
};

TEST_F(PageFileTest, TextPagesAsPdftotextReadsThem) {
    struct Row {
        const char* what;
        std::string contents;
        std::vector<std::string> pages;
    };
    const Row rows[] = {
        {"form feeds end pages", "Eins\nzwei\n\fDrei\n", {"Eins\nzwei", "Drei"}},
        {"umlauts and signs",
         "Grüße aus Köln: 5 € – „netto“ (ohne \\ Rabatt)",
         {"Grüße aus Köln: 5 € – „netto“ (ohne \\ Rabatt)"}},
        {"Windows-1252 file",
         "Gr\xFC\xDF"
         "e",
         {"Grüße"}},
        {"Windows line ends", "Eins\r\nzwei\r\n", {"Eins\nzwei"}},
        {"character Windows-1252 lacks", "Ω-Wert im Text", {"?-Wert im Text"}},
        {"bytes Windows-1252 leaves unused",
         "a\x81"
         "b\u0090c",
         {"a?b?c"}},
        {"empty file", "", {""}},
        {"form feed at the end", "Eins\f", {"Eins", ""}},
        {"empty page between", "Eins\f\fDrei", {"Eins", "", "Drei"}},
    };
    for (const Row& row : rows) {
        const std::string pdf = printed(row.contents);
        EXPECT_EQ(pdf::pageTexts(pdf, testing::kLines), row.pages) << row.what;
        EXPECT_EQ(testing::pageSize(pdf, 1), "595 x 842") << row.what;
    }
}

TEST_F(PageFileTest, BlankLinesKeepTheirPlace) {
    const auto gap = [&](const std::string& contents) {
        const std::vector<testing::Word> found = testing::words(printed(contents), 1);
        EXPECT_EQ(found.size(), 2u) << contents;
        return found.size() == 2 ? found[1].top - found[0].top : 0.0;
    };
    EXPECT_NEAR(gap("Oben\n\n\nUnten"), 3 * gap("Oben\nUnten"), 0.01);
}

TEST_F(PageFileTest, LongLinesWrapInsideTheMargins) {
    struct Row {
        const char* what;
        std::string line;
        const char* joint;  // what the breaks took out of the line
    };
    std::string manyWords;
    for (int i = 1; i <= 40; ++i) manyWords += (i > 1 ? " Wort" : "Wort") + std::to_string(i);
    const Row rows[] = {
        {"words", manyWords, " "},
        {"one wide word", std::string(120, 'W'), ""},
        {"one narrow word", std::string(400, 'i'), ""},
    };
    for (const Row& row : rows) {
        const std::string pdf = printed(row.line + "\nDanach");
        const std::vector<std::string> printedLines = lines(pdf::pageText(pdf, 1, testing::kLines));
        ASSERT_GT(printedLines.size(), 2u) << row.what;
        EXPECT_EQ(printedLines.back(), "Danach") << row.what;
        const std::string joined =
            std::accumulate(printedLines.begin() + 1, printedLines.end() - 1, printedLines.front(),
                            [&](const std::string& a, const std::string& b) { return a + row.joint + b; });
        EXPECT_EQ(joined, row.line) << row.what;

        const std::vector<testing::Word> found = testing::words(pdf, 1);
        double left = 595, right = 0;
        for (const testing::Word& word : found) {
            left = std::min(left, word.left);
            right = std::max(right, word.right);
        }
        EXPECT_LE(right, 595 - left) << row.what << ": the right margin is narrower than the left";
        EXPECT_GT(right, 595 / 2.0) << row.what << ": wrapped long before the margin";
    }
}

TEST_F(PageFileTest, LongTextGoesOnOverTheNextPages) {
    std::vector<std::string> all;
    std::string contents;
    for (int i = 1; i <= 120; ++i) {
        all.push_back("Zeile " + std::to_string(i));
        contents += all.back() + "\n";
    }
    const std::string pdf = printed(contents + "\fNeue Seite");
    const std::vector<std::string> pages = pdf::pageTexts(pdf, testing::kLines);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(pages.back(), "Neue Seite");
    std::vector<std::string> printedLines;
    for (std::size_t i = 0; i + 1 < pages.size(); ++i) {
        const std::vector<std::string> pageLines = lines(pages[i]);
        EXPECT_FALSE(pageLines.empty()) << "page " << i + 1;
        printedLines.insert(printedLines.end(), pageLines.begin(), pageLines.end());
    }
    EXPECT_EQ(printedLines, all);
}

}  // namespace
}  // namespace office
