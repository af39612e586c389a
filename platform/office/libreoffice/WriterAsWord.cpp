#include "platform/office/libreoffice/WriterAsWord.h"

#include "platform/office/libreoffice/WriterDocument.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Reference;

WriterAsWord::WriterAsWord(const Reference<css::uno::XComponentContext>& context)
    : context_(context), word_(com::AutomationObject::create<WordApplication>(bars())) {}

HostAdapter::Opened WriterAsWord::open(const Reference<css::frame::XModel>& model) {
    auto document = com::AutomationObject::create<WriterDocument>(context_, model, *word_);
    word_->documents().add(com::Ref<Document>(document.get()));
    return {.refresh = [document] { document->refresh(); },
            .activate = [word = word_, document] { word->documents().activate(*document); },
            .close = [word = word_, document] { word->documents().remove(*document); }};
}

}  // namespace office::libreoffice
