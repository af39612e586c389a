// The host program's command line.
#include "platform/office/host-app/HostOptions.h"

#include <gtest/gtest.h>

namespace {

using office::parseHostOptions;

TEST(HostOptions, WhatEachOptionSets) {
    const auto parsed = parseHostOptions({"--app", "excel", "--open", "/a b/Mappe.xls", "--modified", "--sheet",
                                          "Umsatz", "--load", "A.B", "--load", "C.D", "--click", "--click", "--unload",
                                          "A.B", "--dump-bars", "--ui", "script:/tmp/x"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const office::HostOptions& o = *parsed.options;
    EXPECT_EQ(o.application, "Microsoft Excel");
    EXPECT_TRUE(o.excel);
    EXPECT_EQ(o.document, "/a b/Mappe.xls");
    EXPECT_EQ(o.source, office::DocumentSource::File);
    EXPECT_TRUE(o.modified);
    EXPECT_EQ(o.sheet, "Umsatz");
    EXPECT_EQ(o.addIns, (std::vector<std::string>{"A.B", "C.D"}));
    EXPECT_EQ(o.clicks, 2);
    EXPECT_EQ(o.unload, "A.B");
    EXPECT_TRUE(o.dumpBars);
    EXPECT_EQ(o.ui, office::UiKind::Script);
    EXPECT_EQ(o.script, "/tmp/x");

    const auto other = parseHostOptions({"--app", "Microsoft Outlook", "--new"});
    ASSERT_TRUE(other.options);
    EXPECT_EQ(other.options->application, "Microsoft Outlook");
    EXPECT_FALSE(other.options->excel);
    EXPECT_EQ(other.options->source, office::DocumentSource::New);
    EXPECT_FALSE(other.options->modified);
    EXPECT_EQ(other.options->sheet, "");
}

TEST(HostOptions, CommandLinesThatAreRefused) {
    struct Case {
        std::vector<std::string> arguments;
        std::string reason;
    };
    const Case cases[] = {
        {{"--open"}, "--open braucht einen Wert."},
        {{"--ui", "fenster"}, "--ui kennt qt, terminal und script:DATEI, nicht fenster."},
        {{"--ui", "script:"}, "--ui kennt qt, terminal und script:DATEI, nicht script:."},
        {{"--new", "--open", "a.doc"}, "--new und --open schließen einander aus."},
        {{"--modified"}, "--modified braucht ein Dokument (--open oder --new)."},
        {{"--open", "a.doc", "--new"}, "--new und --open schließen einander aus."},
        {{"--click", "extra"}, "Unbekannte Angabe: extra"},
    };
    for (const Case& c : cases) {
        const auto parsed = parseHostOptions(c.arguments);
        EXPECT_FALSE(parsed.options);
        EXPECT_EQ(parsed.error, c.reason);
    }
}

}  // namespace
