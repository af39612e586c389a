// The query parser must answer any text with a result or one of its two
// errors, never a crash or another exception. Any printer name, written as a
// literal with its backslashes and quotes escaped, must come back unchanged
// from a query, whichever quote encloses it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/Require.h"
#include "platform/com/Error.h"
#include "platform/printers/Wmi.h"
#include "platform/printers/WmiErrors.h"
#include "platform/printers/WqlQuery.h"

namespace {

using printers::wmi::parseQuery;

std::string escaped(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (c == '\\' || c == '\'' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

bool isQueryError(const com::Error& error) {
    const auto number = [](const printers::wmi::WmiError& known) { return printers::wmi::raised(known).number(); };
    return error.number() == number(printers::wmi::InvalidQuery) ||
           error.number() == number(printers::wmi::InvalidClass);
}

std::optional<std::string> nameFrom(const std::string& query) {
    try {
        return parseQuery(query).name;
    } catch (const com::Error&) {
        fuzz::require(false, "the query with an escaped name was refused");
    }
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = fuzz::bytesOf(data, size);
    try {
        (void)parseQuery(text);
    } catch (const com::Error& error) {
        fuzz::require(isQueryError(error), "the parser raised an error other than a query error");
    }

    const std::string name(text);
    const std::string literal = escaped(name);
    fuzz::require(nameFrom("SELECT * FROM Win32_Printer WHERE Name = '" + literal + "'") == name,
                  "the name in apostrophes came back different");
    fuzz::require(nameFrom("select*from win32_printer where name=\"" + literal + "\"") == name,
                  "the name in quotation marks came back different");
    fuzz::require(printers::wmi::parseLiteral(literal) == name, "parseLiteral gave a different name");
    return 0;
}
