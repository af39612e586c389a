#include "platform/office/bars/HostCommandBars.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "platform/com/ObjectValue.h"
#include "platform/office/addins/AddInList.h"
#include "platform/office/bars/BarCustomisationFile.h"
#include "platform/win32/EscapedText.h"

namespace office {

HostCommandBars::HostCommandBars(std::string host, std::vector<HostCommandBar::Layout> bars) : host_(std::move(host)) {
    for (HostCommandBar::Layout& layout : bars) bars_.push_back(create<HostCommandBar>(std::move(layout)));
    collectionItem([this](const com::Variant& index) { return item(index); });
    property("Count", [this](const com::Arguments&) { return com::Variant(static_cast<std::int32_t>(bars_.size())); });
}

std::vector<HostCommandBar::Layout> HostCommandBars::standardLayout() {
    const auto builtIn = [](std::string caption) {
        return BarControl::Properties{.caption = std::move(caption), .style = 1};
    };
    return {
        {.name = "Standard", .builtIn = {builtIn("Neu"), builtIn("Öffnen"), builtIn("Speichern"), builtIn("Drucken")}}};
}

void HostCommandBars::onChange(const std::function<void()>& changed) {
    for (const auto& bar : bars_) bar->onChange(changed);
}

HostCommandBar* HostCommandBars::find(const std::string& name) const noexcept {
    // Bar names, unlike captions, match without regard to case.
    const auto found =
        std::find_if(bars_.begin(), bars_.end(), [&](const auto& bar) { return com::sameName(bar->Name(), name); });
    return found == bars_.end() ? nullptr : found->get();
}

com::Ref<CommandBar> HostCommandBars::Item(const std::string& name) {
    HostCommandBar* bar = find(name);
    if (!bar) throw com::Error::fromNumber(com::errors::InvalidProcedureCall);
    return com::Ref<CommandBar>(bar);
}

com::Variant HostCommandBars::item(const com::Variant& index) const {
    if (index.type() == com::VariantType::vbString) {
        HostCommandBar* bar = find(index.toString());
        if (!bar) throw com::Error::fromNumber(com::errors::InvalidProcedureCall);
        return com::objectValue(bar->dispatch());
    }
    const std::int32_t position = index.toLong();
    if (position < 1 || static_cast<std::size_t>(position) > bars_.size()) {
        throw com::Error::fromNumber(com::errors::InvalidProcedureCall);
    }
    return com::objectValue(bars_[static_cast<std::size_t>(position - 1)]->dispatch());
}

HostCommandBar& HostCommandBars::bar(const std::string& name) const {
    HostCommandBar* found = find(name);
    if (!found) throw std::out_of_range("no command bar " + name);
    return *found;
}

ClickOutcome HostCommandBars::click(const std::string& barName, const std::string& caption) const {
    return bar(barName).click(caption);
}

ClickOutcome HostCommandBars::click(const std::string& caption) const {
    for (const auto& candidate : bars_) {
        if (candidate->find(caption)) return candidate->click(caption);
    }
    throw std::out_of_range("no control \"" + caption + "\" on any command bar");
}

std::filesystem::path HostCommandBars::customisationFile() const {
    return hostFolder(host_) / "CommandBars.txt";
}

void HostCommandBars::saveCustomisations() const {
    std::vector<SavedBar> saved;
    for (const auto& bar : bars_) {
        SavedBar& entry = saved.emplace_back(SavedBar{bar->Name()});
        for (const auto& control : bar->controls()) {
            if (control->saved()) entry.controls.push_back(control->properties());
        }
    }
    writeCustomisations(customisationFile(), saved);
}

HostCommandBars::Loaded HostCommandBars::loadCustomisations() {
    const auto saved = readCustomisations(customisationFile());
    if (!saved) return Loaded::NothingSaved;
    for (const auto& bar : bars_) bar->removeSaved();
    for (const SavedBar& entry : *saved) {
        HostCommandBar* bar = find(entry.name);
        if (!bar) continue;
        for (const BarControl::Properties& properties : entry.controls) {
            bar->append(properties, BarControl::Lifetime::Permanent);
        }
    }
    return Loaded::FromFile;
}

std::string HostCommandBars::dump() const {
    std::ostringstream out;
    for (const auto& bar : bars_) {
        out << "bar " << win32::quoted(bar->Name()) << '\n';
        for (const auto& control : bar->controls()) {
            const BarControl::Properties& p = control->properties();
            out << "  " << win32::quoted(p.caption) << " style=" << p.style << " action=" << win32::quoted(p.onAction)
                << " visible=" << (p.visible ? "yes" : "no") << " face=" << (p.face.empty() ? "no" : "yes") << '\n';
        }
    }
    return out.str();
}

}  // namespace office
