#pragma once
// What a letterhead PDF must show: each page its own text, in order, under
// the letterhead of its place and not the other one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

// `pages` are the result's page texts; `letterheads[i]` is `first` or
// `following`, a text found only on that letterhead.
inline void expectLetterheadPages(const std::vector<std::string>& pages, const std::vector<std::string>& texts,
                                  const std::vector<std::string>& letterheads, const std::string& first,
                                  const std::string& following) {
    ASSERT_EQ(pages.size(), texts.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1) + ": " + pages[i]);
        EXPECT_NE(pages[i].find(texts[i]), std::string::npos);
        EXPECT_NE(pages[i].find(letterheads[i]), std::string::npos);
        EXPECT_EQ(pages[i].find(letterheads[i] == first ? following : first), std::string::npos);
    }
}

// The shipped letterheads (examples/Briefpapier), each known by a text that
// only it shows.
inline const std::string shippedFirstPage = "KALMORA BUERO-SERVICE";
inline const std::string shippedFollowingPages = "Kalmora - Folgeseite";

// The example letter (examples/Dokumente/Angebot.docx) as its result shows
// it: its three pages, the first on the first letterhead, the others on the
// second.
inline void expectOfferOnShippedLetterheads(const std::vector<std::string>& pages) {
    expectLetterheadPages(pages, {"Angebot Nr. 2026-117", "Leistungsbeschreibung", "Preise und Bedingungen"},
                          {shippedFirstPage, shippedFollowingPages, shippedFollowingPages}, shippedFirstPage,
                          shippedFollowingPages);
}
