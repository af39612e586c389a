#include "platform/office/libreoffice/WriterDocument.h"

#include <utility>

#include "platform/office/pages/PageFile.h"
#include "platform/office/render/PrintedPages.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;

WriterDocument::WriterDocument(const Reference<css::uno::XComponentContext>& context,
                               const Reference<css::frame::XModel>& model, const WordApplication& word)
    : WordDocument({}, word), stored_(context, model) {
    refresh();
}

void WriterDocument::refresh() {
    stored_.readState(state());
}

PageFile WriterDocument::pages() const {
    return PageFile(PageFile::LaidOut{stored_.pages({}, [this] {
        return textDocumentPages(Reference<css::lang::XComponent>(stored_.model(), css::uno::UNO_QUERY_THROW));
    })});
}

void WriterDocument::save() {
    stored_.save(state(), [this] { return saveFailure(); });
}

}  // namespace office::libreoffice
