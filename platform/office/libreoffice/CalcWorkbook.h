#pragma once
// A Calc document as Excel's workbook: the stored file's folder and name,
// Saved, Save, and as its ActiveSheet the sheet its window shows, whose
// pages (and no other sheet's) count and print as they are now.
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "platform/office/libreoffice/StoredDocument.h"
#include "platform/office/model/Workbook.h"

namespace office::libreoffice {

class CalcWorkbook final : public Workbook {
public:
    CalcWorkbook(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
                 const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model, Application& excel);

    // Reads name, folder, Saved and the active sheet anew.
    void refresh();

    PageFile pages() const override;
    bool printable() const override { return true; }

protected:
    ~CalcWorkbook() override = default;
    void save() override;

private:
    StoredDocument stored_;
};

}  // namespace office::libreoffice
