#pragma once
// What Word and Excel tell of a document, read off a document that the user
// edits in a window of the office: the folder and name of its stored file,
// whether it has unsaved changes, storing it, and its pages as they print
// now. Writer's documents and Calc's workbooks hold one each.
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <functional>
#include <string>

#include "platform/com/Error.h"
#include "platform/office/libreoffice/LaidOutPages.h"
#include "platform/office/model/Document.h"

namespace office::libreoffice {

class StoredDocument {
public:
    StoredDocument(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
                   const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model);

    const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model() const noexcept { return model_; }

    // The document's path and name (a never-stored one: no path, the title
    // its window shows) and Saved (no unsaved changes; a new document from a
    // template has them until it is stored) into `state`.
    void readState(Document::State& state) const;

    // Stores the document in its own format where it was stored; a document
    // never stored gets the office's "Save as" dialog, as Word shows its own.
    // Then its state is read anew. When the office cannot store it, throws
    // what `failure` makes: the host's error for a failing Save.
    void save(Document::State& state, const std::function<com::Error()>& failure);

    // The pages laid out for `key` (LaidOutPages.h).
    const std::string& pages(const std::string& key, const std::function<std::string()>& layOut) const {
        return pages_.pdf(key, layOut);
    }

private:
    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
    com::sun::star::uno::Reference<com::sun::star::frame::XModel> model_;
    mutable LaidOutPages pages_;
};

}  // namespace office::libreoffice
