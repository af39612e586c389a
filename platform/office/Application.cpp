#include "platform/office/Application.h"

namespace office {

Application::Application(std::string name) : name_(std::move(name)) {
    const auto nameGetter = [this](const com::Arguments&) { return com::Variant(name_); };
    property("", nameGetter);
    property("Name", nameGetter);
    property(
        "ActivePrinter", [this](const com::Arguments&) { return com::Variant(activePrinter_); },
        [this](const com::Arguments&, const com::Variant& value) {
            activePrinter_ = value.toString();
            printerWrites_.push_back(activePrinter_);
        });
}

com::Object Application::object() { return com::Object(com::Ref<com::IDispatch>(this)); }

}  // namespace office
