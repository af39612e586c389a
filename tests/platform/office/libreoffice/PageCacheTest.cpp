// The pages laid out for a click are kept for the next click on the unchanged
// document and the same sheet; a change or another sheet lays them out anew.
#include "platform/office/libreoffice/PageCache.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using office::libreoffice::PageCache;
using Document = PageCache::Document;

TEST(PageCache, PagesAreLaidOutAnewOnlyForAChangedDocumentOrAnotherKey) {
    // Each layout makes the pages "1", "2", ... in turn; one that is to fail
    // (`given` none) throws.
    struct Request {
        const char* key;
        Document document;
        const char* given;
    };
    const Document same = Document::Unchanged, changed = Document::Changed;
    const std::pair<const char*, std::vector<Request>> cases[] = {
        {"the same text again", {{"", same, "1"}, {"", same, "1"}, {"", same, "1"}}},
        {"a changed text", {{"", same, "1"}, {"", changed, "2"}, {"", same, "2"}}},
        {"another sheet and back", {{"Preise", same, "1"}, {"Übersicht", same, "2"}, {"Preise", same, "3"}}},
        {"a failed layout keeps the pages before",
         {{"Preise", same, "1"}, {"Übersicht", same, nullptr}, {"Preise", same, "1"}}},
        {"a failed first layout keeps nothing", {{"", same, nullptr}, {"", same, "2"}}},
    };
    for (const auto& [what, requests] : cases) {
        SCOPED_TRACE(what);
        PageCache cache;
        int layouts = 0;
        for (const Request& request : requests) {
            const auto layOut = [&] {
                ++layouts;
                if (!request.given) throw std::runtime_error("kein Layout");
                return std::to_string(layouts);
            };
            if (request.given) {
                EXPECT_EQ(cache.pdf(request.key, request.document, layOut), request.given);
            } else {
                EXPECT_THROW(cache.pdf(request.key, request.document, layOut), std::runtime_error);
            }
        }
    }
}

}  // namespace
