#include "platform/office/model/Application.h"

#include "platform/com/ObjectValue.h"
#include "platform/printers/PrintSystem.h"

namespace office {

Application::Application(std::string name, std::string barsHost, std::vector<HostCommandBar::Layout> bars,
                         BarsMember barsMember)
    : name_(std::move(name)), bars_(create<HostCommandBars>(std::move(barsHost), std::move(bars))) {
    const auto nameGetter = [this](const com::Arguments&) { return com::Variant(name_); };
    property("", nameGetter);
    property("Name", nameGetter);
    property(
        "ActivePrinter", [this](const com::Arguments&) { return com::Variant(activePrinter()); },
        [this](const com::Arguments&, const com::Variant& value) {
            std::string printer = value.toString();
            checkPrinter(printer);
            printerWrites_.push_back(printer);
            activePrinter_ = std::move(printer);
        });
    if (barsMember == BarsMember::OnApplication) {
        property("CommandBars", [this](const com::Arguments&) { return com::objectValue(bars_->dispatch()); });
    }
}

std::string Application::activePrinter() const {
    if (activePrinter_) return *activePrinter_;
    return printers::defaultPrinter().value_or("");
}

void Application::checkPrinter(const std::string&) const {}

com::Object Application::object() {
    return com::Object(com::Ref<com::IDispatch>(this));
}

}  // namespace office
