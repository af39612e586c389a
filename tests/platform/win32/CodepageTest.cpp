#include "platform/win32/Codepage.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;
using win32::ansiToUtf8;
using win32::fitsAnsi;
using win32::utf8ToAnsi;

namespace {

TEST(Codepage, EveryByteSurvivesTheTripToUtf8AndBack) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        EXPECT_EQ(utf8ToAnsi(ansiToUtf8(ansi)), ansi) << byte;
    }
}

TEST(Codepage, ConvertsWindows1252ToUtf8) {
    const struct {
        std::string ansi;
        std::string utf8;
    } cases[] = {
        {"a\0z"s, "a\0z"s},
        {"\x80", "€"},
        {"\x8A\x9C\x9F", "ŠœŸ"},
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"\xA0", "\xC2\xA0"},
        {"Gr\xFC\xDF"
         "e",
         "Grüße"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ansiToUtf8(c.ansi), c.utf8) << c.utf8;
        EXPECT_EQ(utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
    }
}

TEST(Codepage, ReplacesWhatWindows1252CannotHoldWithAQuestionMark) {
    const struct {
        std::string utf8;
        std::string ansi;
    } cases[] = {
        {"中", "?"},
        {"a😀b", "a?b"},
        {"\xC2\x80", "?"},             // U+0080: byte 0x80 is the euro sign
        {"\xC3", "?"},                 // cut off
        {"\xE2\x82x", "?x"},           // cut off before a letter
        {"\xC0\xAF", "??"},            // overlong
        {"\xED\xA0\x80", "???"},       // surrogate
        {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
        {"\xFF\xFCx", "??x"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
}

TEST(Codepage, TellsWhetherWindows1252HoldsAText) {
    const struct {
        std::string utf8;
        bool fits;
    } cases[] = {
        {"", true},
        {"/home/jürgen/Ablage für Müller", true},
        {"€ „Zitat“ – Œuvre™", true},
        {"\xC2\x81", true},  // U+0081: the undefined byte 0x81
        {"?", true},
        {"/home/łukasz", false},
        {"/home/Dvořák", false},
        {"a😀b", false},
        {"\xC2\x80", false},         // U+0080: byte 0x80 is the euro sign
        {"/home/j\xFCrgen", false},  // Windows-1252 bytes are no UTF-8
        {"\xC3", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fitsAnsi(c.utf8), c.fits) << c.utf8;
        if (c.fits) {
            EXPECT_EQ(ansiToUtf8(utf8ToAnsi(c.utf8)), c.utf8) << c.utf8;
        }
    }
}

}  // namespace
