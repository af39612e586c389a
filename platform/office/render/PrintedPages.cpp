#include "platform/office/render/PrintedPages.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/XOutputStream.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <cppuhelper/implbase1.hxx>
#include <mutex>
#include <rtl/ref.hxx>

#include "platform/uno/UnoText.h"

namespace office {

namespace {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using uno::properties;
using uno::property;

// Collects what the office writes to the stream: the PDF file's bytes.
class ByteSink : public cppu::WeakImplHelper1<css::io::XOutputStream> {
public:
    void SAL_CALL writeBytes(const css::uno::Sequence<sal_Int8>& data) override {
        const std::lock_guard lock(mutex_);
        bytes_.append(reinterpret_cast<const char*>(data.getConstArray()), static_cast<std::size_t>(data.getLength()));
    }
    void SAL_CALL flush() override {}
    void SAL_CALL closeOutput() override {}

    std::string take() {
        const std::lock_guard lock(mutex_);
        return std::move(bytes_);
    }

private:
    std::mutex mutex_;
    std::string bytes_;
};

std::string pdfOf(const Reference<css::lang::XComponent>& document, const char* filter,
                  const css::uno::Sequence<css::beans::PropertyValue>& filterData) {
    const rtl::Reference<ByteSink> sink(new ByteSink);
    const Reference<css::frame::XStorable> storable(document, UNO_QUERY_THROW);
    storable->storeToURL(
        "private:stream",
        properties({property("FilterName", css::uno::Any(rtl::OUString::createFromAscii(filter))),
                    property("FilterData", css::uno::Any(filterData)),
                    property("OutputStream", css::uno::Any(Reference<css::io::XOutputStream>(sink.get())))}));
    return sink->take();
}

// Whether a sheet prints anything: cells with content, or drawings (charts,
// pictures, shapes). The office lays out one blank page for an empty sheet,
// where Excel prints none.
bool hasContent(const Reference<css::lang::XComponent>& document, const Reference<css::sheet::XSpreadsheet>& sheet) {
    namespace flags = css::sheet::CellFlags;
    const Reference<css::sheet::XCellRangesQuery> query(sheet, UNO_QUERY_THROW);
    const auto cells = query->queryContentCells(flags::VALUE | flags::DATETIME | flags::STRING | flags::FORMULA);
    if (cells.is() && cells->getCount() > 0) return true;
    // Each sheet has a drawing page of the same position in the workbook.
    const Reference<css::drawing::XDrawPagesSupplier> drawings(document, UNO_QUERY_THROW);
    const auto position = Reference<css::sheet::XCellRangeAddressable>(sheet, UNO_QUERY_THROW)->getRangeAddress().Sheet;
    const Reference<css::container::XIndexAccess> shapes(drawings->getDrawPages()->getByIndex(position), UNO_QUERY);
    return shapes.is() && shapes->getCount() > 0;
}

}  // namespace

std::string textDocumentPages(const Reference<css::lang::XComponent>& document) {
    return pdfOf(document, "writer_pdf_Export", properties({}));
}

std::string sheetPages(const Reference<css::lang::XComponent>& document,
                       const Reference<css::sheet::XSpreadsheet>& sheet) {
    if (!hasContent(document, sheet)) return {};
    return pdfOf(document, "calc_pdf_Export",
                 properties({property("Selection", css::uno::Any(Reference<css::uno::XInterface>(sheet))),
                             // Nor as notes of the PDF: Excel prints no comment unless asked to.
                             property("ExportNotes", css::uno::Any(false))}));
}

}  // namespace office
