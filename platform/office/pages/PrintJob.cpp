#include "platform/office/pages/PrintJob.h"

#include <algorithm>

#include "platform/com/Error.h"
#include "platform/office/pages/PageFile.h"
#include "platform/printers/PrintSystem.h"

namespace office {

void printPages(const PageFile& pages, const std::string& title, const std::string& printer, const PageChoice& choose) {
    const std::vector<std::int32_t> chosen = choose(pages.pageCount());
    if (chosen.empty()) return;
    printers::submit(printer, {.documentTitle = title, .pdf = pages.pdfOf(chosen)});
}

void requireKnownNames(const com::Arguments& args, std::initializer_list<std::string_view> known) {
    for (const com::NamedArgument& argument : args.named) {
        const auto isKnown = [&](std::string_view name) { return com::sameName(argument.name, name); };
        if (std::none_of(known.begin(), known.end(), isKnown)) {
            throw com::Error(448, "Benanntes Argument nicht gefunden");
        }
    }
}

}  // namespace office
