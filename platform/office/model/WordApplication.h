#pragma once
// The Word test host: "Documents", "ActiveDocument", and what every host
// offers (Application.h). Tests open documents and set their state. Only an
// installed printer can become Word's active printer.
#include "platform/com/Ref.h"
#include "platform/office/model/Application.h"
#include "platform/office/model/Document.h"
#include "platform/office/model/Documents.h"

namespace office {

class WordApplication : public Application {
public:
    // A host with the standard bars, or with `bars` (none, or others).
    WordApplication();
    explicit WordApplication(std::vector<HostCommandBar::Layout> bars);

    // Opens a document, which becomes the active one.
    com::Ref<Document> open(Document::State state);
    // The open documents, for a host whose documents are made elsewhere.
    Documents& documents() noexcept { return *documents_; }

    // The active printer; raises error 4609 when it is not installed (it was
    // uninstalled, or no printer was set and the user has no default).
    std::string installedActivePrinter() const;

protected:
    ~WordApplication() override = default;
    void checkPrinter(const std::string& printer) const override;

private:
    com::Ref<Documents> documents_;
};

}  // namespace office
