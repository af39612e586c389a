#include "platform/office/bars/HostCommandBarControls.h"

#include <utility>

#include "platform/com/ObjectValue.h"
#include "platform/office/bars/HostCommandBarButton.h"

namespace office {

namespace {

com::Ref<HostCommandBarButton> referenceTo(const com::Ref<HostCommandBar>& bar, std::shared_ptr<BarControl> control) {
    return com::AutomationObject::create<HostCommandBarButton>(bar, std::move(control));
}

com::Ref<CommandBarButton> typed(com::Ref<HostCommandBarButton> button) {
    return com::Ref<CommandBarButton>::adopt(button.detach());
}

com::Variant asVariant(const com::Ref<HostCommandBarButton>& button) {
    return com::objectValue(button->dispatch());
}

}  // namespace

HostCommandBarControls::HostCommandBarControls(com::Ref<HostCommandBar> bar) : bar_(std::move(bar)) {
    property("Count", [this](const com::Arguments&) { return com::Variant(std::int32_t{Count()}); });
    collectionItem([this](const com::Variant& index) { return item(index); });
    method("Add", [this](const com::Arguments& args) {
        // Without a Type the bar gets a button, as with Type 1.
        const com::Variant* type = args.find(0, "Type");
        const com::Variant* temporary = args.find(4, "Temporary");
        const bool isTemporary = temporary && !temporary->isEmpty() && com::isTrue(temporary->toBoolean());
        return asVariant(append(type && !type->isEmpty() ? type->toLong() : msoControlButton,
                                isTemporary ? BarControl::Lifetime::Temporary : BarControl::Lifetime::Permanent));
    });
}

com::Ref<CommandBarButton> HostCommandBarControls::Item(const std::string& caption) {
    return typed(byCaption(caption));
}

int HostCommandBarControls::Count() const {
    return static_cast<int>(bar_->controls().size());
}

com::Ref<CommandBarButton> HostCommandBarControls::add(int type, BarControl::Lifetime lifetime) {
    return typed(append(type, lifetime));
}

com::Ref<HostCommandBarButton> HostCommandBarControls::byCaption(const std::string& caption) {
    std::shared_ptr<BarControl> control = bar_->find(caption);
    if (!control) throw com::Error::fromNumber(com::errors::InvalidProcedureCall);
    return referenceTo(bar_, std::move(control));
}

com::Ref<HostCommandBarButton> HostCommandBarControls::append(std::int32_t type, BarControl::Lifetime lifetime) {
    if (type != msoControlButton) throw com::Error::fromNumber(com::errors::InvalidProcedureCall);
    return referenceTo(bar_, bar_->append({}, lifetime));
}

com::Variant HostCommandBarControls::item(const com::Variant& index) {
    if (index.type() == com::VariantType::vbString) return asVariant(byCaption(index.toString()));
    const std::int32_t position = index.toLong();
    if (position < 1 || position > Count()) throw com::Error::fromNumber(com::errors::InvalidProcedureCall);
    return asVariant(referenceTo(bar_, bar_->controls()[static_cast<std::size_t>(position - 1)]));
}

}  // namespace office
