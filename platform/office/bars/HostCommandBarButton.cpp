#include "platform/office/bars/HostCommandBarButton.h"

#include <utility>

#include "platform/runtime/Runtime.h"

namespace office {

namespace {

// The host's answer when a member of a control fails: the general failure
// code, with the wording the runtime gives a failed method of an object.
com::Error methodFailed(const char* member) {
    constexpr auto generalFailure = static_cast<std::int32_t>(0x80004005u);
    return com::Error(generalFailure, std::string("Die Methode '") + member +
                                          "' für das Objekt '_CommandBarButton' ist fehlgeschlagen.");
}

}  // namespace

HostCommandBarButton::HostCommandBarButton(com::Ref<HostCommandBar> bar, std::shared_ptr<BarControl> control)
    : bar_(std::move(bar)), control_(std::move(control)) {
    property(
        "Caption", [this](const com::Arguments&) { return com::Variant(Caption()); },
        [this](const com::Arguments&, const com::Variant& value) { putCaption(value.toString()); });
    property(
        "Style", [this](const com::Arguments&) { return com::Variant(std::int32_t{Style()}); },
        [this](const com::Arguments&, const com::Variant& value) { putStyle(value.toLong()); });
    property(
        "OnAction", [this](const com::Arguments&) { return com::Variant(OnAction()); },
        [this](const com::Arguments&, const com::Variant& value) { putOnAction(value.toString()); });
    property(
        "Visible", [this](const com::Arguments&) { return com::Variant(Visible() ? com::True : com::False); },
        [this](const com::Arguments&, const com::Variant& value) { putVisible(com::isTrue(value.toBoolean())); });
    property("Type", [this](const com::Arguments&) {
        live("Type");
        return com::Variant(std::int32_t{msoControlButton});
    });
    property("BuiltIn", [this](const com::Arguments&) {
        return com::Variant(live("BuiltIn").builtIn() ? com::True : com::False);
    });
    method("PasteFace", [this](const com::Arguments&) {
        PasteFace();
        return com::Variant();
    });
    // Delete's optional Temporary argument changes nothing here.
    method("Delete", [this](const com::Arguments&) {
        Delete();
        return com::Variant();
    });
}

HostCommandBarButton::~HostCommandBarButton() {
    control_->disconnect(*this);
}

BarControl& HostCommandBarButton::live(const char* member) const {
    if (control_->deleted()) throw methodFailed(member);
    return *control_;
}

std::string HostCommandBarButton::Caption() const {
    return live("Caption").properties().caption;
}

void HostCommandBarButton::putCaption(const std::string& caption) {
    live("Caption").properties().caption = caption;
    bar_->changed();
}

int HostCommandBarButton::Style() const {
    return live("Style").properties().style;
}

void HostCommandBarButton::putStyle(int style) {
    live("Style").properties().style = style;
    bar_->changed();
}

std::string HostCommandBarButton::OnAction() const {
    return live("OnAction").properties().onAction;
}

void HostCommandBarButton::putOnAction(const std::string& action) {
    live("OnAction").properties().onAction = action;
    bar_->changed();
}

bool HostCommandBarButton::Visible() const {
    return live("Visible").properties().visible;
}

void HostCommandBarButton::putVisible(bool visible) {
    live("Visible").properties().visible = visible;
    bar_->changed();
}

void HostCommandBarButton::PasteFace() {
    BarControl& control = live("PasteFace");
    runtime::Picture picture = runtime::backend().clipboardPicture();
    if (picture.empty()) throw methodFailed("PasteFace");
    control.properties().face = std::move(picture);
    bar_->changed();
}

bool HostCommandBarButton::hasFace() const {
    return !live("FaceId").properties().face.empty();
}

void HostCommandBarButton::Delete() {
    bar_->remove(live("Delete"));
}

void HostCommandBarButton::adviseClick(ButtonClickSink* sink) {
    // Dropping a connection always works, so that an add-in can let go of
    // a control that the user has deleted.
    if (!sink) {
        control_->disconnect(*this);
        return;
    }
    live("Click").connect(*this, sink);
}

}  // namespace office
