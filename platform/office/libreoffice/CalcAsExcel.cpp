#include "platform/office/libreoffice/CalcAsExcel.h"

#include "platform/office/libreoffice/CalcWorkbook.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;

CalcAsExcel::CalcAsExcel(const Reference<css::uno::XComponentContext>& context)
    : context_(context), excel_(com::AutomationObject::create<ExcelApplication>(bars())) {}

HostAdapter::Opened CalcAsExcel::open(const Reference<css::frame::XModel>& model) {
    auto workbook = com::AutomationObject::create<CalcWorkbook>(context_, model, *excel_);
    excel_->add(com::Ref<Workbook>(workbook.get()));
    return {.refresh = [workbook] { workbook->refresh(); },
            .activate = [excel = excel_, workbook] { excel->activate(*workbook); },
            .close = [excel = excel_, workbook] { excel->remove(*workbook); }};
}

}  // namespace office::libreoffice
