#include "platform/office/libreoffice/CalcWorkbook.h"

#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <utility>

#include "platform/office/pages/PageFile.h"
#include "platform/office/render/PrintedPages.h"
#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

Reference<css::sheet::XSpreadsheet> activeSheetOf(const Reference<css::frame::XModel>& model) {
    const Reference<css::sheet::XSpreadsheetView> view(model->getCurrentController(), UNO_QUERY_THROW);
    return view->getActiveSheet();
}

}  // namespace

CalcWorkbook::CalcWorkbook(const Reference<css::uno::XComponentContext>& context,
                           const Reference<css::frame::XModel>& model, Application& excel)
    : Workbook({}, {}, excel), stored_(context, model) {
    refresh();
}

void CalcWorkbook::refresh() {
    stored_.readState(state());
    activeSheet().state().name =
        uno::text(Reference<css::container::XNamed>(activeSheetOf(stored_.model()), UNO_QUERY_THROW)->getName());
}

PageFile CalcWorkbook::pages() const {
    const Reference<css::sheet::XSpreadsheet> sheet = activeSheetOf(stored_.model());
    const std::string name = uno::text(Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->getName());
    return PageFile(PageFile::LaidOut{stored_.pages(
        name, [&] { return sheetPages(Reference<css::lang::XComponent>(stored_.model(), UNO_QUERY_THROW), sheet); })});
}

void CalcWorkbook::save() {
    stored_.save(state(), [this] { return saveFailure(); });
}

}  // namespace office::libreoffice
