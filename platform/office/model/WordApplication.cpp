#include "platform/office/model/WordApplication.h"

#include <utility>

#include "platform/com/ObjectValue.h"
#include "platform/office/model/WordDocument.h"
#include "platform/printers/PrintSystem.h"

namespace office {

WordApplication::WordApplication() : WordApplication(HostCommandBars::standardLayout()) {}

WordApplication::WordApplication(std::vector<HostCommandBar::Layout> bars)
    : Application("Microsoft Word", "Word", std::move(bars)), documents_(create<Documents>()) {
    property("Documents", [this](const com::Arguments&) { return com::objectValue(documents_.get()); });
    property("ActiveDocument", [this](const com::Arguments&) {
        Document* active = documents_->active();
        // Word raises here rather than answering Nothing.
        if (!active) {
            throw com::Error(4248, "Dieser Befehl ist nicht verfügbar, weil kein Dokument geöffnet ist.");
        }
        return com::objectValue(active);
    });
}

com::Ref<Document> WordApplication::open(Document::State state) {
    auto document = create<WordDocument>(std::move(state), *this);
    documents_->add(com::Ref<Document>(document.get()));
    return com::Ref<Document>(document.get());
}

std::string WordApplication::installedActivePrinter() const {
    std::string printer = activePrinter();
    checkPrinter(printer);
    return printer;
}

void WordApplication::checkPrinter(const std::string& printer) const {
    if (printers::exists(printer)) return;
    throw com::Error(4609, printer.empty() ? std::string("Es ist kein Drucker ausgewählt.")
                                           : "Der Drucker \"" + printer + "\" ist nicht installiert.");
}

}  // namespace office
