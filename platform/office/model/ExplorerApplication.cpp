#include "platform/office/model/ExplorerApplication.h"

#include <utility>

#include "platform/com/ObjectValue.h"

namespace office {

ExplorerApplication::ExplorerApplication(const std::string& name, std::vector<HostCommandBar::Layout> bars,
                                         Window window)
    : Application(name, name, std::move(bars), BarsMember::Elsewhere) {
    if (window == Window::Open) explorer_ = create<Explorer>(com::Ref<HostCommandBars>(&commandBars()));
    property("ActiveExplorer", [this](const com::Arguments&) { return com::objectValue(explorer_.get()); });
}

}  // namespace office
