#include "platform/office/model/Sheet.h"

#include <exception>
#include <optional>
#include <utility>

#include "platform/office/model/Application.h"
#include "platform/office/model/Document.h"
#include "platform/office/pages/PageFile.h"
#include "platform/office/pages/PageSelection.h"
#include "platform/office/pages/PrintJob.h"
#include "platform/printers/PrintSystem.h"

namespace office {

namespace {

// Positions of the arguments in Excel's PrintOut.
constexpr std::size_t kFrom = 0;
constexpr std::size_t kTo = 1;
constexpr std::size_t kActivePrinter = 4;

com::Error printOutFailed() {
    return com::Error(1004, "Die Methode 'PrintOut' für das Objekt '_Worksheet' ist fehlgeschlagen.");
}

}  // namespace

Sheet::Sheet(State state, Application& excel, const Document& workbook)
    : state_(std::move(state)), excel_(excel), workbook_(workbook) {
    property("Name", [this](const com::Arguments&) { return com::Variant(state_.name); });
    method("PrintOut", [this](const com::Arguments& args) {
        printOut(args);
        return com::Variant();
    });
}

std::int32_t Sheet::pageCount() const {
    if (!workbook_.printable()) return state_.pages;
    try {
        return workbook_.pages().pageCount();
    } catch (const std::exception&) {
        throw com::Error(1004, com::runtimeErrorText(1004));
    }
}

void Sheet::printOut(const com::Arguments& args) {
    requireKnownNames(args, {"From", "To", "ActivePrinter"});
    const com::Variant* from = args.find(kFrom, "From");
    const com::Variant* to = args.find(kTo, "To");
    const com::Variant* printerArgument = args.find(kActivePrinter, "ActivePrinter");
    const std::int32_t first = from ? from->toLong() : 1;
    const std::optional<std::int32_t> last = to ? std::optional(to->toLong()) : std::nullopt;

    const std::string printer = printerArgument ? printerArgument->toString() : excel_.activePrinter();
    if (!printers::exists(printer) || !workbook_.printable()) throw printOutFailed();
    if (printerArgument) excel_.setActivePrinter(printer);
    try {
        printPages(workbook_.pages(), workbook_.state().name, printer,
                   [&](std::int32_t pageCount) { return pageSpan(first, last.value_or(pageCount), pageCount); });
    } catch (const std::exception&) {
        throw printOutFailed();
    }
}

}  // namespace office
