#pragma once
// Word's collection of open documents: "Count" and "Item" (by 1-based
// position or by name). The document opened or activated last is the active
// one.
#include <cstdint>
#include <vector>

#include "platform/com/AutomationObject.h"
#include "platform/com/Ref.h"
#include "platform/office/model/Document.h"

namespace office {

class Documents : public com::AutomationObject {
public:
    Documents();

    // The document added last is the active one, until another is activated.
    void add(com::Ref<Document> document);
    void activate(const Document& document);
    // Closing a document that is not open does nothing.
    void remove(const Document& document);
    std::int32_t count() const noexcept;
    // Null when no document is open.
    Document* active() const noexcept;

protected:
    ~Documents() override = default;

private:
    com::Variant item(const com::Variant& index) const;

    std::vector<com::Ref<Document>> documents_;
};

}  // namespace office
