#pragma once
// The Excel test host: "ActiveWorkbook", "ExecuteExcel4Macro" for the page
// count of the active sheet, and what every host offers (Application.h).
#include <string_view>
#include <vector>

#include "platform/com/Ref.h"
#include "platform/office/model/Application.h"
#include "platform/office/model/Workbook.h"

namespace office {

class ExcelApplication : public Application {
public:
    // A host with the standard bars, or with `bars` (none, or others).
    ExcelApplication();
    explicit ExcelApplication(std::vector<HostCommandBar::Layout> bars);

    // Opens a workbook, which becomes the active one.
    com::Ref<Workbook> open(Document::State workbook, Sheet::State activeSheet = {});
    // For a host whose workbooks are made elsewhere: an added or activated
    // workbook becomes the active one; removing one that is not open does
    // nothing.
    void add(com::Ref<Workbook> workbook);
    void activate(const Workbook& workbook);
    void remove(const Workbook& workbook);

protected:
    ~ExcelApplication() override = default;

private:
    Workbook* activeWorkbook() const noexcept;
    com::Variant executeMacro(std::string_view macro) const;

    std::vector<com::Ref<Workbook>> workbooks_;
};

}  // namespace office
