#include "platform/office/model/Explorer.h"

#include <utility>

#include "platform/com/ObjectValue.h"

namespace office {

Explorer::Explorer(com::Ref<HostCommandBars> bars) : bars_(std::move(bars)) {
    property("CommandBars", [this](const com::Arguments&) { return com::objectValue(bars_->dispatch()); });
}

}  // namespace office
