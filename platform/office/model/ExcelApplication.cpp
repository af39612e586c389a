#include "platform/office/model/ExcelApplication.h"

#include <algorithm>
#include <utility>

#include "platform/com/ObjectValue.h"

namespace office {

ExcelApplication::ExcelApplication() : ExcelApplication(HostCommandBars::standardLayout()) {}

ExcelApplication::ExcelApplication(std::vector<HostCommandBar::Layout> bars)
    : Application("Microsoft Excel", "Excel", std::move(bars)) {
    // Excel answers Nothing when no workbook is open; the caller's next
    // member call then raises 91.
    property("ActiveWorkbook", [this](const com::Arguments&) { return com::objectValue(activeWorkbook()); });
    method("ExecuteExcel4Macro", [this](const com::Arguments& args) {
        const com::Variant* macro = args.find(0, "String");
        if (!macro) throw com::Error::fromNumber(com::errors::ArgumentNotOptional);
        return executeMacro(macro->toString());
    });
}

com::Ref<Workbook> ExcelApplication::open(Document::State workbook, Sheet::State activeSheet) {
    auto opened = create<Workbook>(std::move(workbook), std::move(activeSheet), *this);
    add(opened);
    return opened;
}

void ExcelApplication::add(com::Ref<Workbook> workbook) {
    workbooks_.push_back(std::move(workbook));
}

void ExcelApplication::activate(const Workbook& workbook) {
    const auto found =
        std::find_if(workbooks_.begin(), workbooks_.end(), [&](const auto& held) { return held.get() == &workbook; });
    if (found != workbooks_.end()) std::rotate(found, found + 1, workbooks_.end());
}

void ExcelApplication::remove(const Workbook& workbook) {
    std::erase_if(workbooks_, [&](const auto& held) { return held.get() == &workbook; });
}

Workbook* ExcelApplication::activeWorkbook() const noexcept {
    return workbooks_.empty() ? nullptr : workbooks_.back().get();
}

com::Variant ExcelApplication::executeMacro(std::string_view macro) const {
    // Only the one macro the add-in runs is understood.
    if (!com::sameName(macro, "Get.Document(50)")) {
        throw com::Error(1004, com::runtimeErrorText(1004));
    }
    Workbook* workbook = activeWorkbook();
    // Excel hands back an error value here, which the caller's comparison
    // with a number turns into a type mismatch; raising it at once has the
    // same effect for the caller.
    if (!workbook) throw com::Error::fromNumber(com::errors::TypeMismatch);
    // Excel returns the count as a Double.
    return com::Variant(static_cast<double>(workbook->activeSheet().pageCount()));
}

}  // namespace office
