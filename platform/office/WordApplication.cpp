#include "platform/office/WordApplication.h"

#include <utility>

#include "platform/office/ObjectValue.h"

namespace office {

WordApplication::WordApplication() : Application("Microsoft Word"), documents_(create<Documents>()) {
    property("Documents", [this](const com::Arguments&) { return objectValue(documents_.get()); });
    property("ActiveDocument", [this](const com::Arguments&) {
        Document* active = documents_->active();
        // Word raises here rather than answering Nothing.
        if (!active) {
            throw com::Error(4248, "Dieser Befehl ist nicht verfügbar, weil kein Dokument geöffnet ist.");
        }
        return objectValue(active);
    });
}

com::Ref<Document> WordApplication::open(Document::State state) {
    auto document = create<Document>(std::move(state));
    documents_->add(document);
    return document;
}

}  // namespace office
