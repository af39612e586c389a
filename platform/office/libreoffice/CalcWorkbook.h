#pragma once
// A Calc document as Excel's workbook: the stored file's folder and name,
// Saved, Save, and as its ActiveSheet the sheet its window shows, whose
// pages (and no other sheet's) count and print as they are now.
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <optional>
#include <string>

#include "platform/office/Workbook.h"

namespace office::libreoffice {

class CalcWorkbook final : public Workbook {
public:
    CalcWorkbook(com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context,
                 com::sun::star::uno::Reference<com::sun::star::frame::XModel> model, Application& excel);

    // Reads name, folder, Saved and the active sheet anew, and lays the
    // sheet out again when its pages are next asked for.
    void refresh();
    const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model() const noexcept { return model_; }

    PageFile pages() const override;
    bool printable() const override { return true; }

protected:
    ~CalcWorkbook() override = default;
    void save() override;

private:
    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
    com::sun::star::uno::Reference<com::sun::star::frame::XModel> model_;
    mutable std::optional<std::string> pages_;
};

}  // namespace office::libreoffice
