// The commands of the toolbar items: which control of which bar a press
// names, and that every other command is none of the hosts'.
#include "platform/office/libreoffice/ToolbarCommand.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using office::libreoffice::controlCommand;
using office::libreoffice::parseCommand;

TEST(ToolbarCommand, WhatAPressedItemNames) {
    struct Case {
        std::string command;
        std::optional<std::string> bar;  // none: no control of a host's bar
        int position = 0;
        std::string caption = {};
    };
    const Case cases[] = {
        {"vnd.kalmora:Standard/1", "Standard", 1},
        {"vnd.kalmora:Standard/12", "Standard", 12},
        {"vnd.kalmora:Meine Leiste/3", "Meine Leiste", 3},
        {"vnd.kalmora:Format/Absatz/2", "Format/Absatz", 2},  // the last slash ends the bar's name
        {"vnd.kalmora:/1", "", 1},
        // The extension's fixed entries name the button by its caption.
        {"vnd.kalmora:Standard/pdf-Kalmora", "Standard", 0, "pdf-Kalmora"},
        {"vnd.kalmora:Standard/1a", "Standard", 0, "1a"},
        {"vnd.kalmora:Standard/ 1", "Standard", 0, " 1"},
        {"vnd.kalmora:Standard/-1", "Standard", 0, "-1"},
        {"vnd.kalmora:Standard/0", std::nullopt},
        {"vnd.kalmora:Standard/", std::nullopt},
        {"vnd.kalmora:Standard/99999999999", std::nullopt},
        {"vnd.kalmora:Standard", std::nullopt},
        {"vnd.kalmora:Einrichtung", std::nullopt},
        {"vnd.kalmora:", std::nullopt},
        {".uno:Save", std::nullopt},
        {"service:org.kalmora.pdf-kalmora?Standard/1", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const auto parsed = parseCommand(c.command);
        ASSERT_EQ(parsed.has_value(), c.bar.has_value());
        if (!parsed) continue;
        EXPECT_EQ(parsed->bar, *c.bar);
        EXPECT_EQ(parsed->position, c.position);
        EXPECT_EQ(parsed->caption, c.caption);
    }
}

TEST(ToolbarCommand, AnItemsCommandNamesItsControl) {
    EXPECT_EQ(controlCommand("Standard", 1), "vnd.kalmora:Standard/1");
    for (const std::string bar : {"Standard", "Meine Leiste", "Format/Absatz", "Ümlaute"}) {
        for (const std::size_t position : {1u, 2u, 10u}) {
            const auto parsed = parseCommand(controlCommand(bar, position));
            ASSERT_TRUE(parsed) << bar << " " << position;
            EXPECT_EQ(parsed->bar, bar);
            EXPECT_EQ(parsed->position, static_cast<int>(position));
        }
    }
}

}  // namespace
