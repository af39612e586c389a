#include "src/util/TellOnce.h"

#include <set>

#include "platform/runtime/Interaction.h"
#include "src/util/Messages.h"

namespace TellOnce {

namespace {
// One copy per loaded library, as the settings module's state.
std::set<std::string> told;
}  // namespace

void tell(const std::string& text) {
    if (!told.insert(text).second) return;
    runtime::MsgBox(text, runtime::vbOKOnly + runtime::vbExclamation, MessageTitle);
}

void forget() {
    told.clear();
}

}  // namespace TellOnce
