#include "platform/win32/ProfileText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace std::string_literals;
using win32::profile::Encoding;
using win32::profile::encodingOf;
using win32::profile::findValue;
using win32::profile::parseInt;
using win32::profile::withValue;

namespace {

struct ReadCase {
    const char* what;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

TEST(ProfileText, ReadsValuesByTheWindowsRules) {
    const ReadCase cases[] = {
        {"plain entry", "[S]\r\nk=v\r\n", "S", "k", "v"},
        {"blanks, tabs and vertical tabs trimmed", "[S]\r\n \t\vk \t= \tv w\v \r\n", "S", "k", "v w"},
        {"double quotes removed", "[S]\nk=\"a\"\n", "S", "k", "a"},
        {"quotes removed after trimming", "[S]\nk= ' a ' \n", "S", "k", " a "},
        {"unequal quotes kept", "[S]\nk='x\"\n", "S", "k", "'x\""},
        {"a lone quote kept", "[S]\nk=\"\n", "S", "k", "\""},
        {"only the outer pair removed", "[S]\nk=\"\"a\"\"\n", "S", "k", "\"a\""},
        {"empty value", "[S]\nk=\n", "S", "k", ""},
        {"split at the first equals sign", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"comment line", "[S]\n;k=v\n", "S", "k", std::nullopt},
        {"indented comment line", "[S]\n \t;k=v\n", "S", "k", std::nullopt},
        {"hash is no comment", "[S]\n#k=v\n", "S", "#k", "v"},
        {"no end-of-line comment", "[S]\nk=v ;x\n", "S", "k", "v ;x"},
        {"blanks inside the brackets", "[  S \t]\nk=v\n", "S", "k", "v"},
        {"missing bracket runs to the line end", "[S x\nk=v", "S x", "k", "v"},
        {"text after the bracket ignored", "[S] x]\nk=v\n", "S", "k", "v"},
        {"case-insensitive ASCII", "[sEcT]\nKey=v\n", "SECT", "kEY", "v"},
        {"case-insensitive Windows-1252", "[\xC4rger]\n\xDC\x8A=v\n", "\xE4RGER", "\xFC\x9A", "v"},
        {"first duplicate key wins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        {"only the first duplicate section", "[S]\na=1\n[s]\nk=2\n", "S", "k", std::nullopt},
        {"key of another section", "[T]\nk=v\n[S]\n", "S", "k", std::nullopt},
        {"lines before the first section", "k=v\n[S]\n", "S", "k", std::nullopt},
        {"line without equals is no key", "[S]\nk\nk=v\n", "S", "k", "v"},
        {"CR-only lines", "[S]\rk=v\r", "S", "k", "v"},
        {"mixed line endings", "[S]\r\na=1\rk=v\n", "S", "k", "v"},
        {"value cut at a NUL byte", "[S]\nk=ab\0cd\n"s, "S", "k", "ab"},
        {"Windows-1252 bytes as they are", "[S]\nk=\xFC\n", "S", "k", "\xFC"},
        // Saved as UTF-8 by hand: its names and values are UTF-8 too.
        {"byte order mark before the first header", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "v"},
        {"UTF-8 key in another case", "[Global]\nFirmenkürzel=KBS\n", "GLOBAL", "FIRMENKÜRZEL", "KBS"},
        {"UTF-8 value as it is", "[S]\nk=/home/jürgen/Briefköpfe/ŁÓDŹ.pdf\n", "S", "k",
         "/home/jürgen/Briefköpfe/ŁÓDŹ.pdf"},
        {"UTF-8 case of the Windows-1252 letters", "[Š]\nŒ=v\n", "š", "œ", "v"},
        {"UTF-8 letters beyond Windows-1252 keep their case", "[S]\nŁ=v\n", "S", "ł", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findValue(c.file, c.section, c.key, encodingOf(c.file)), c.expected) << c.what;
}

TEST(ProfileText, AFileIsUtf8WhenItsBytesSaySo) {
    const struct {
        const char* what;
        std::string file;
        Encoding encoding;
    } cases[] = {
        {"empty", "", Encoding::Windows1252},
        {"only ASCII", "[S]\r\nk=v\r\n", Encoding::Windows1252},
        {"a Windows-1252 umlaut", "[S]\r\nk=M\xFCller\r\n", Encoding::Windows1252},
        {"a UTF-8 umlaut", "[S]\r\nk=Müller\r\n", Encoding::Utf8},
        {"UTF-8 and a Windows-1252 byte", "[S]\r\nk=Müller\r\nj=\xFC\r\n", Encoding::Windows1252},
        {"an overlong sequence", "[S]\r\nk=\xC0\xAF\r\n", Encoding::Windows1252},
        {"a surrogate", "[S]\r\nk=\xED\xA0\x80\r\n", Encoding::Windows1252},
        {"a cut sequence at the end", "[S]\r\nk=\xC3", Encoding::Windows1252},
        {"byte order mark and ASCII", "\xEF\xBB\xBF[S]\r\n", Encoding::Utf8WithBom},
        {"byte order mark alone", "\xEF\xBB\xBF", Encoding::Utf8WithBom},
        {"byte order mark in the middle", "[S]\r\n\xEF\xBB\xBF", Encoding::Utf8},
    };
    for (const auto& c : cases) EXPECT_EQ(encodingOf(c.file), c.encoding) << c.what;
}

TEST(ProfileText, ParsesIntegersLikeWindows) {
    const struct {
        const char* text;
        std::uint32_t expected;
    } cases[] = {
        {"-1", 0xFFFFFFFFu}, {"+1", 1},          {"42abc", 42}, {"abc", 0}, {"", 0},
        {"007", 7},          {"-", 0},           {"--1", 0},    {"1 2", 1}, {"2147483648", 0x80000000u},
        {"4294967297", 1},   {"-4294967295", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(parseInt(c.text), c.expected) << c.text;
}

struct WriteCase {
    const char* what;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

TEST(ProfileText, WritesOnlyTheBytesThatChange) {
    const WriteCase cases[] = {
        {"new file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"existing key keeps spelling, comments and order",
         "; top\r\n[Sec]\r\n  Key = old ;c\r\n\r\n;note\r\nother=1\r\n", "SEC", "key", "new",
         "; top\r\n[Sec]\r\nKey=new\r\n\r\n;note\r\nother=1\r\n"},
        {"existing key keeps its LF", "[S]\r\nk=1\nj=2\r\n", "S", "k", "22", "[S]\r\nk=22\nj=2\r\n"},
        {"existing key keeps its CR", "[S]\rk=1\r", "S", "k", "2", "[S]\rk=2\r"},
        {"existing last key without line break", "[S]\r\nk=1", "S", "k", "2", "[S]\r\nk=2"},
        {"new key after the last entry", "[S]\r\na=1\r\njunk\r\n;c\r\n\r\n[T]\r\nb=2\r\n", "S", "k", "v",
         "[S]\r\na=1\r\nk=v\r\njunk\r\n;c\r\n\r\n[T]\r\nb=2\r\n"},
        {"new key in a section without entries", "[S]\r\n;c\r\n\r\n[T]\r\n", "s", "k", "v",
         "[S]\r\nk=v\r\n;c\r\n\r\n[T]\r\n"},
        {"new key after a last line without break", "[S]\r\na=1", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
        {"new key after a header without break", "[S]", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"new section appended", "[T]\r\nb=2\r\n", "S", "k", "v", "[T]\r\nb=2\r\n[S]\r\nk=v\r\n"},
        {"new section after a missing final break", "[T]\nb=2", "S", "k", "v", "[T]\nb=2\r\n[S]\r\nk=v\r\n"},
        {"new section after a CR-only file", "[T]\r", "S", "k", "v", "[T]\r[S]\r\nk=v\r\n"},
        {"only the first duplicate section", "[S]\r\na=1\r\n[S]\r\nk=old\r\n", "S", "k", "v",
         "[S]\r\na=1\r\nk=v\r\n[S]\r\nk=old\r\n"},
        {"key before the first section is no match", "k=1\r\n", "S", "k", "v", "k=1\r\n[S]\r\nk=v\r\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "ü", "\xEF\xBB\xBF[S]\r\nk=ü\r\n"},
        {"new section after a byte order mark alone", "\xEF\xBB\xBF", "S", "k", "v", "\xEF\xBB\xBF[S]\r\nk=v\r\n"},
        {"UTF-8 key keeps its spelling", "[Global]\nFirmenkürzel=A\n", "GLOBAL", "FIRMENKÜRZEL", "Ä",
         "[Global]\nFirmenkürzel=Ä\n"},
        {"value written as given", "[S]\r\nk=1\r\n", "S", "k", " \"q\" ;x", "[S]\r\nk= \"q\" ;x\r\n"},
        {"NUL bytes kept", "[S]\r\nju\0nk\r\nk=\0\r\n"s, "S", "k", "2", "[S]\r\nju\0nk\r\nk=2\r\n"s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withValue(c.before, c.section, c.key, c.value, encodingOf(c.before)), c.after) << c.what;
}

TEST(ProfileText, KeepsLinesLongerThan64KiB) {
    const std::string longLine(70 * 1024, 'x');
    const std::string before = "[S]\r\n" + longLine + "=1\r\nk=1\r\n";
    const std::string after = withValue(before, "S", "k", "2", Encoding::Windows1252);
    EXPECT_EQ(after, "[S]\r\n" + longLine + "=1\r\nk=2\r\n");
    EXPECT_EQ(findValue(after, "S", longLine, Encoding::Windows1252), "1");
}

}  // namespace
