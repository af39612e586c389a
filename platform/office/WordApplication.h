#pragma once
// The Word test host: "Documents", "ActiveDocument", and what every host
// offers (Application.h). Tests open documents and set their state.
#include "platform/com/Ref.h"
#include "platform/office/Application.h"
#include "platform/office/Document.h"
#include "platform/office/Documents.h"

namespace office {

class WordApplication : public Application {
public:
    WordApplication();

    // Opens a document, which becomes the active one.
    com::Ref<Document> open(Document::State state);

protected:
    ~WordApplication() override = default;

private:
    com::Ref<Documents> documents_;
};

}  // namespace office
