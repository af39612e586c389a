#include "platform/office/model/WordDocument.h"

#include <exception>
#include <optional>

#include "platform/office/model/WordApplication.h"
#include "platform/office/pages/PageFile.h"
#include "platform/office/pages/PageSelection.h"
#include "platform/office/pages/PrintJob.h"

namespace office {

namespace {

// Word's values of the argument Range (WdPrintOutRange).
enum class PrintRange : std::int32_t {
    AllDocument = 0,
    Selection = 1,
    CurrentPage = 2,
    FromTo = 3,
    RangeOfPages = 4,
};

// Word's WdStatistic value for the number of pages.
constexpr std::int32_t kStatisticPages = 2;

// Positions of the arguments in Word's PrintOut (Background is the first).
constexpr std::size_t kRange = 2;
constexpr std::size_t kFrom = 4;
constexpr std::size_t kTo = 5;
constexpr std::size_t kPages = 8;

com::Error outOfRange() {
    return com::Error(4608, "Der Wert liegt außerhalb des zulässigen Bereichs.");
}

// The document has no cursor or selection, so only whole-document and page
// ranges can be printed.
PageChoice pagesAsked(const com::Arguments& args) {
    const com::Variant* range = args.find(kRange, "Range");
    switch (range ? PrintRange{range->toLong()} : PrintRange::AllDocument) {
        case PrintRange::AllDocument: return allPages;
        case PrintRange::FromTo: {
            const com::Variant* from = args.find(kFrom, "From");
            const com::Variant* to = args.find(kTo, "To");
            const std::int32_t first = from ? from->toLong() : 1;
            const std::optional<std::int32_t> last = to ? std::optional(to->toLong()) : std::nullopt;
            return
                [first, last](std::int32_t pageCount) { return pageSpan(first, last.value_or(pageCount), pageCount); };
        }
        case PrintRange::RangeOfPages: {
            const com::Variant* pages = args.find(kPages, "Pages");
            const std::string list = pages ? pages->toString() : std::string();
            return [list](std::int32_t pageCount) {
                std::optional<std::vector<std::int32_t>> chosen = pageList(list, pageCount);
                if (!chosen) throw outOfRange();
                return *std::move(chosen);
            };
        }
        case PrintRange::Selection:
        case PrintRange::CurrentPage: break;
    }
    throw outOfRange();
}

}  // namespace

WordDocument::WordDocument(State state, const WordApplication& word) : Document(std::move(state)), word_(word) {
    method("PrintOut", [this](const com::Arguments& args) {
        printOut(args);
        return com::Variant();
    });
    method("ComputeStatistics", [this](const com::Arguments& args) {
        requireKnownNames(args, {"Statistic", "IncludeFootnotesAndEndnotes"});
        const com::Variant* statistic = args.find(0, "Statistic");
        if (!statistic) throw com::Error::fromNumber(com::errors::ArgumentNotOptional);
        // Only the pages are counted here; Word's other statistics (words,
        // lines, characters) mean nothing for pages set from a file.
        if (statistic->toLong() != kStatisticPages) throw outOfRange();
        try {
            return com::Variant(pages().pageCount());
        } catch (const std::exception&) {
            throw commandFailed();
        }
    });
}

void WordDocument::printOut(const com::Arguments& args) const {
    requireKnownNames(args, {"Background", "Range", "Pages", "From", "To"});
    const PageChoice choice = pagesAsked(args);
    const std::string printer = word_.installedActivePrinter();
    if (!printable()) throw commandFailed();
    try {
        printPages(pages(), state().name, printer, choice);
    } catch (const com::Error&) {
        throw;
    } catch (const std::exception&) {
        // An unreadable file or a spool that takes no job: Word says no more.
        throw commandFailed();
    }
}

}  // namespace office
