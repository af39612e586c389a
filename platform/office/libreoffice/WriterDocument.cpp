#include "platform/office/libreoffice/WriterDocument.h"

#include <utility>

#include "platform/office/libreoffice/StoredDocument.h"
#include "platform/office/pages/PageFile.h"
#include "platform/office/render/PrintedPages.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;

WriterDocument::WriterDocument(const Reference<css::uno::XComponentContext>& context,
                               const Reference<css::frame::XModel>& model, const WordApplication& word)
    : WordDocument({}, word), context_(context), model_(model), pages_(model_) {
    refresh();
}

void WriterDocument::refresh() {
    readStoredState(model_, state());
}

PageFile WriterDocument::pages() const {
    return PageFile(PageFile::LaidOut{pages_.pdf({}, [this] {
        return textDocumentPages(Reference<css::lang::XComponent>(model_, css::uno::UNO_QUERY_THROW));
    })});
}

void WriterDocument::save() {
    try {
        storeDocument(context_, model_);
    } catch (const css::uno::Exception&) {
        throw saveFailure();
    }
    readStoredState(model_, state());
}

}  // namespace office::libreoffice
