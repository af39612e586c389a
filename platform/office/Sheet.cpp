#include "platform/office/Sheet.h"

#include <utility>

namespace office {

Sheet::Sheet(State state) : state_(std::move(state)) {
    property("Name", [this](const com::Arguments&) { return com::Variant(state_.name); });
}

}  // namespace office
