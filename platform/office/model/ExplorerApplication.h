#pragma once
// A test host that is neither Word nor Excel and has no "CommandBars" of its
// own: its bars are those of "ActiveExplorer", its one window. Its
// customisations are saved under its name. Started without a window (for
// automation only), its "ActiveExplorer" is Nothing: it offers no bars at all.
#include <string>
#include <vector>

#include "platform/com/Ref.h"
#include "platform/office/model/Application.h"
#include "platform/office/model/Explorer.h"

namespace office {

class ExplorerApplication : public Application {
public:
    enum class Window { Open, None };

    explicit ExplorerApplication(const std::string& name,
                                 std::vector<HostCommandBar::Layout> bars = HostCommandBars::standardLayout(),
                                 Window window = Window::Open);

protected:
    ~ExplorerApplication() override = default;

private:
    com::Ref<Explorer> explorer_;
};

}  // namespace office
