#include "platform/office/model/Documents.h"

#include <algorithm>
#include <utility>

#include "platform/com/ObjectValue.h"

namespace office {

namespace {

com::Error noSuchMember() {
    return com::Error(5941, "Das angeforderte Element ist nicht in der Sammlung vorhanden.");
}

}  // namespace

Documents::Documents() {
    property("Count", [this](const com::Arguments&) { return com::Variant(count()); });
    collectionItem([this](const com::Variant& index) { return item(index); });
}

void Documents::add(com::Ref<Document> document) {
    documents_.push_back(std::move(document));
}

void Documents::activate(const Document& document) {
    const auto found =
        std::find_if(documents_.begin(), documents_.end(), [&](const auto& held) { return held.get() == &document; });
    if (found != documents_.end()) std::rotate(found, found + 1, documents_.end());
}

void Documents::remove(const Document& document) {
    std::erase_if(documents_, [&](const auto& held) { return held.get() == &document; });
}

std::int32_t Documents::count() const noexcept {
    return static_cast<std::int32_t>(documents_.size());
}

Document* Documents::active() const noexcept {
    return documents_.empty() ? nullptr : documents_.back().get();
}

com::Variant Documents::item(const com::Variant& index) const {
    if (index.type() == com::VariantType::vbString) {
        const std::string name = index.toString();
        for (const auto& document : documents_) {
            if (com::sameName(document->state().name, name)) return com::objectValue(document.get());
        }
        throw noSuchMember();
    }
    const std::int32_t position = index.toLong();
    if (position < 1 || position > count()) throw noSuchMember();
    return com::objectValue(documents_[static_cast<std::size_t>(position - 1)].get());
}

}  // namespace office
