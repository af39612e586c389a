#pragma once
// What Word and Excel tell of a document, read off a document that the user
// edits in a window of the office: the folder and name of its stored file,
// whether it has unsaved changes, and storing it.
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "platform/office/model/Document.h"

namespace office::libreoffice {

// The document's path and name (a never-stored one: no path, the title its
// window shows) and Saved (no unsaved changes; a new document from a template
// has them until it is stored) into `state`.
void readStoredState(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model,
                     Document::State& state);

// Stores the document in its own format where it was stored; a document never
// stored gets the office's "Save as" dialog, as Word shows its own. Throws
// com::sun::star::uno::Exception when the office cannot store it.
void storeDocument(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
                   const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model);

}  // namespace office::libreoffice
