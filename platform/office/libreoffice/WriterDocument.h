#pragma once
// A Writer document as Word's document: the stored file's folder and name,
// Saved, Save, and the pages as they print now, unsaved changes included,
// for ComputeStatistics and PrintOut (WordDocument.h).
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "platform/office/libreoffice/StoredDocument.h"
#include "platform/office/model/WordDocument.h"

namespace office::libreoffice {

class WriterDocument final : public WordDocument {
public:
    WriterDocument(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
                   const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model,
                   const WordApplication& word);

    // Reads name, folder and Saved anew: before every click, since the user
    // may have stored or renamed the document since the last one.
    void refresh();

    PageFile pages() const override;
    bool printable() const override { return true; }

protected:
    ~WriterDocument() override = default;
    void save() override;

private:
    StoredDocument stored_;
};

}  // namespace office::libreoffice
