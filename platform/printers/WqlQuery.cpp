#include "platform/printers/WqlQuery.h"

#include "platform/printers/PrinterNames.h"
#include "platform/printers/Wmi.h"
#include "platform/printers/WmiErrors.h"

namespace printers::wmi {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isWordCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

struct Scanner {
    std::string_view text;
    std::size_t position = 0;

    bool atEnd() const { return position == text.size(); }

    void skipBlanks() {
        while (!atEnd() && isBlank(text[position])) ++position;
    }

    std::string_view word() {
        const std::size_t start = position;
        while (!atEnd() && isWordCharacter(text[position])) ++position;
        return text.substr(start, position - start);
    }

    bool keyword(std::string_view expected) {
        const std::size_t start = position;
        if (sameName(word(), expected)) return true;
        position = start;
        return false;
    }

    bool symbol(char expected) {
        if (atEnd() || text[position] != expected) return false;
        ++position;
        return true;
    }

    // A string literal in apostrophes or quotation marks; none when it is not
    // closed. "\\", "\'" and "\"" stand for the character after the backslash.
    // A backslash before anything else is kept, and the character after it is
    // read as usual: so it can never hide the closing quote, and a name whose
    // backslashes were not doubled ("\\server\share" → "\server\share") finds
    // no printer rather than a different one.
    std::optional<std::string> literal() {
        if (atEnd() || (text[position] != '\'' && text[position] != '"')) return std::nullopt;
        const char quote = text[position++];
        std::string value;
        while (!atEnd()) {
            const char c = text[position++];
            if (c == quote) return value;
            if (c != '\\') {
                value += c;
                continue;
            }
            // A backslash at the very end leaves the literal open.
            if (atEnd()) return std::nullopt;
            const char next = text[position];
            if (next == '\\' || next == '\'' || next == '"') {
                value += next;
                ++position;
            } else {
                value += c;
            }
        }
        return std::nullopt;
    }
};

}  // namespace

PrinterQuery parseQuery(std::string_view text) {
    Scanner scanner{text};
    const auto expect = [&scanner](bool found) {
        if (!found) throw raised(InvalidQuery);
        scanner.skipBlanks();
    };
    scanner.skipBlanks();
    expect(scanner.keyword("SELECT"));
    expect(scanner.symbol('*'));
    expect(scanner.keyword("FROM"));
    const std::string_view className = scanner.word();
    if (className.empty()) throw raised(InvalidQuery);
    if (!sameName(className, "Win32_Printer")) throw raised(InvalidClass);
    scanner.skipBlanks();
    if (scanner.atEnd()) return {};
    expect(scanner.keyword("WHERE"));
    expect(scanner.keyword("Name"));
    expect(scanner.symbol('='));
    std::optional<std::string> name = scanner.literal();
    expect(name.has_value());
    // Whatever follows the literal (a rest after an unescaped apostrophe
    // inside the name, a further condition) is more than this service reads.
    if (!scanner.atEnd()) throw raised(InvalidQuery);
    return {std::move(name)};
}

std::optional<std::string> parseLiteral(const std::string& literal) {
    const std::string quoted = "'" + literal + "'";
    Scanner scanner{quoted};
    std::optional<std::string> name = scanner.literal();
    if (!scanner.atEnd()) return std::nullopt;
    return name;
}

}  // namespace printers::wmi
