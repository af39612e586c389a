// Splitting a command line must not crash on any text, and the arguments it
// gives must survive the round trip a caller makes when it starts a program
// with them: quoted by the Windows rules, put behind a program name and split
// again, they come back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/Require.h"
#include "platform/win32/CommandLine.h"

namespace {

// One argument as a caller writes it: left alone when nothing in it needs
// quoting; else in quotes, where backslashes count only before a '"': those
// are doubled, and a '"' itself gets one more backslash.
std::string quoted(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) return std::string(argument);
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        out += c;
        backslashes = 0;
    }
    // The closing quote follows: these backslashes stand before a '"' too.
    out.append(2 * backslashes, '\\');
    return out + "\"";
}

std::string lineOf(std::string_view program, const std::vector<std::string>& parts) {
    std::string line(program);
    for (std::size_t i = 1; i < parts.size(); ++i) line += " " + quoted(parts[i]);
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = win32::splitCommandLine(fuzz::bytesOf(data, size));
    if (parts.empty()) return 0;

    auto expected = parts;
    expected.front() = "Kalmora.exe";
    fuzz::require(win32::splitCommandLine(lineOf("Kalmora.exe", parts)) == expected,
                  "quoted arguments split differently");

    // A program name in quotes runs to the next quote, blanks and all, and
    // an empty one ("") stays a name of its own.
    if (parts.front().find('"') == std::string::npos)
        fuzz::require(win32::splitCommandLine(lineOf("\"" + parts.front() + "\"", parts)) == parts,
                      "the quoted program name split differently");
    return 0;
}
