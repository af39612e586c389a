#include "platform/office/libreoffice/WriterDocument.h"

#include <utility>

#include "platform/office/PageFile.h"
#include "platform/office/libreoffice/StoredDocument.h"
#include "platform/office/render/PrintedPages.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;

WriterDocument::WriterDocument(Reference<css::uno::XComponentContext> context, Reference<css::frame::XModel> model,
                               const WordApplication& word)
    : WordDocument({}, word), context_(std::move(context)), model_(std::move(model)) {
    refresh();
}

void WriterDocument::refresh() {
    readStoredState(model_, state());
    pages_.reset();
}

PageFile WriterDocument::pages() const {
    if (!pages_) pages_ = textDocumentPages(Reference<css::lang::XComponent>(model_, css::uno::UNO_QUERY_THROW));
    return PageFile(PageFile::LaidOut{*pages_});
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
