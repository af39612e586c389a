#include "platform/office/model/Explorer.h"

#include <utility>

#include "platform/office/model/ObjectValue.h"

namespace office {

Explorer::Explorer(com::Ref<HostCommandBars> bars) : bars_(std::move(bars)) {
    property("CommandBars", [this](const com::Arguments&) { return objectValue(bars_->dispatch()); });
}

}  // namespace office
