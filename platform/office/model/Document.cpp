#include "platform/office/model/Document.h"

#include <utility>

#include "platform/office/pages/PageFile.h"

namespace office {

Document::Document(State state) : state_(std::move(state)) {
    property("Saved", [this](const com::Arguments&) { return com::Variant(state_.saved); });
    property("Path", [this](const com::Arguments&) { return com::Variant(state_.path); });
    property("Name", [this](const com::Arguments&) { return com::Variant(state_.name); });
    property("FullName", [this](const com::Arguments&) {
        // A document never stored has no folder: its full name is its name.
        return com::Variant(state_.path.empty() ? state_.name : state_.path + "\\" + state_.name);
    });
    method("Save", [this](const com::Arguments&) {
        ++state_.saveCalls;
        save();
        return com::Variant();
    });
}

void Document::save() {
    switch (state_.saveOutcome) {
        case SaveOutcome::Stores: state_.saved = com::True; break;
        case SaveOutcome::LeavesUnsaved: break;
        case SaveOutcome::Fails: throw saveFailure();
    }
}

PageFile Document::pages() const {
    if (state_.laidOut) return PageFile(PageFile::LaidOut{*state_.laidOut});
    return PageFile(state_.file);
}

com::Error Document::saveFailure() const {
    return commandFailed();
}

com::Error Document::commandFailed() {
    return com::Error(4198, "Befehl misslungen");
}

}  // namespace office
