#pragma once
// Calc as Excel: Calc's documents (CalcWorkbook.h) as the workbooks of an
// Excel application whose bar starts empty.
#include <com/sun/star/uno/XComponentContext.hpp>

#include "platform/com/Ref.h"
#include "platform/office/libreoffice/HostAdapter.h"
#include "platform/office/model/ExcelApplication.h"

namespace office::libreoffice {

class CalcAsExcel final : public HostAdapter {
public:
    static constexpr const char* kModule = "com.sun.star.sheet.SpreadsheetDocument";

    explicit CalcAsExcel(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context);

    const char* hostName() const noexcept override { return "Excel"; }
    const char* module() const noexcept override { return kModule; }
    Application& application() noexcept override { return *excel_; }
    Opened open(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model) override;

private:
    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
    com::Ref<ExcelApplication> excel_;
};

}  // namespace office::libreoffice
