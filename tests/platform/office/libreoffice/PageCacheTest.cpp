// The pages laid out for a click are kept for the next click on the unchanged
// document and the same sheet; a change or another sheet lays them out anew.
#include "platform/office/libreoffice/PageCache.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using office::libreoffice::PageCache;
using Document = PageCache::Document;

TEST(PageCache, PagesAreLaidOutAnewOnlyForAChangedDocumentOrAnotherKey) {
    struct Request {
        const char* key;
        Document document;
        bool fails;         // the layout throws
        const char* given;  // the pages given back; none: the error
    };
    struct Case {
        const char* what;
        std::vector<Request> requests;
        int layouts;
    };
    const Document same = Document::Unchanged, changed = Document::Changed;
    const Case cases[] = {
        {"the first request", {{"", same, false, "1"}}, 1},
        {"the same text again", {{"", same, false, "1"}, {"", same, false, "1"}, {"", same, false, "1"}}, 1},
        {"a changed text", {{"", same, false, "1"}, {"", changed, false, "2"}, {"", same, false, "2"}}, 2},
        {"another sheet and back",
         {{"Preise", same, false, "1"}, {"Übersicht", same, false, "2"}, {"Preise", same, false, "3"}},
         3},
        {"a failed layout keeps the pages before",
         {{"Preise", same, false, "1"}, {"Übersicht", same, true, nullptr}, {"Preise", same, false, "1"}},
         2},
        {"a failed first layout keeps nothing", {{"", same, true, nullptr}, {"", same, false, "2"}}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PageCache cache;
        int layouts = 0;
        for (const Request& request : c.requests) {
            const auto layOut = [&] {
                ++layouts;
                if (request.fails) throw std::runtime_error("kein Layout");
                return std::to_string(layouts);
            };
            if (request.given) {
                EXPECT_EQ(cache.pdf(request.key, request.document, layOut), request.given);
            } else {
                EXPECT_THROW(cache.pdf(request.key, request.document, layOut), std::runtime_error);
            }
        }
        EXPECT_EQ(layouts, c.layouts);
    }
}

}  // namespace
