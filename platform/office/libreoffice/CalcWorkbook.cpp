#include "platform/office/libreoffice/CalcWorkbook.h"

#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <utility>

#include "platform/office/libreoffice/StoredDocument.h"
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
    : Workbook({}, {}, excel), context_(context), model_(model), pages_(model_) {
    refresh();
}

void CalcWorkbook::refresh() {
    readStoredState(model_, state());
    activeSheet().state().name =
        uno::text(Reference<css::container::XNamed>(activeSheetOf(model_), UNO_QUERY_THROW)->getName());
}

PageFile CalcWorkbook::pages() const {
    const Reference<css::sheet::XSpreadsheet> sheet = activeSheetOf(model_);
    const std::string name = uno::text(Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->getName());
    return PageFile(PageFile::LaidOut{pages_.pdf(
        name, [&] { return sheetPages(Reference<css::lang::XComponent>(model_, UNO_QUERY_THROW), sheet); })});
}

void CalcWorkbook::save() {
    try {
        storeDocument(context_, model_);
    } catch (const css::uno::Exception&) {
        throw saveFailure();
    }
    readStoredState(model_, state());
}

}  // namespace office::libreoffice
